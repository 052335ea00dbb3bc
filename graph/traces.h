// Plots drawn in a graph window, named by whole-number handles (0 = none):
// curves of readings, straight lines such as the limit lines, and texts.
#pragma once

class QFont;
class QString;

// A curve through n points (x from x, y from y), thin solid line without
// markers, in RGB colour `couleur`. Returns its handle, 0 when the panel
// has no graph.
int PlotXY(int panel, const int* x, const double* y, int n, int couleur);
// The curve `handle` made to hold the n points given, as PlotXY would draw
// them: when it already holds the first n - 1 of them, only the last point is
// added (a tick's cost then does not grow with the recording). Returns the
// handle, or 0 when it is not a curve of this panel.
int prolonger_trace(int panel, int handle, const int* x, const double* y, int n, int couleur);
// A straight line from (x1, y1) to (x2, y2).
int PlotLine(int panel, double x1, double y1, double x2, double y2, int couleur);
// `texte` written from (x, y) rightwards, vertically centred on y, in `police`
// and RGB colour `couleur`, on a transparent background; it stays at those
// graph coordinates whatever the axes do, and prints with the graph.
int PlotText(int panel, double x, double y, const QString& texte, const QFont& police, int couleur);
// Deletes one plot; nothing for an unknown handle.
void DeleteGraphPlot(int panel, int handle);
// Deletes every plot of the panel's graph.
void supprimer_traces(int panel);
// Whether plot `handle` is held, in any panel; false once deleted or once
// its panel was discarded.
bool trace_existe(int handle);

// Each plot carries its handle in the property PROPRIETE_TRACE of its object.
inline constexpr const char* PROPRIETE_TRACE = "trace";

class QCPGraph;
// The plot of curve `handle` in that panel's graph; nullptr when it is none.
QCPGraph* graphe_trace(int panel, int handle);
