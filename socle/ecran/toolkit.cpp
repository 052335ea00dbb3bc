#include "socle/ecran/toolkit.h"

#include "socle/ecran/liste_releves.h"
#include "socle/ecran/panels.h"
#include "socle/ecran/menus.h"
#include "socle/ecran/platform_qt.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QFile>
#include <QFrame>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QResource>
#include <QUiLoader>
#include <qcustomplot.h>

#include <map>
#include <vector>

namespace {

// A program with windows starts with the desktop's services: every one links
// this file, which registers them before main.
[[maybe_unused]] const bool plateforme_qt_inscrite = (fixer_plateforme_initiale(plateforme_qt), true);

// Frame of a child panel around its client area: a title bar above, a thin
// border on the other sides. Tile and full-screen geometry leave 25 pixels
// of height and 9 of width for them.
constexpr int HAUT_TITRE = 17;
constexpr int BORD = 3;
constexpr int DESSUS = HAUT_TITRE + BORD;

QColor rgb(int c)
{
    return tk::couleur(c);
}

class BarreTitre : public QWidget {
public:
    explicit BarreTitre(QWidget* parent) : QWidget(parent) { setCursor(Qt::ArrowCursor); }
    QString texte;
    int fond = 0xC0C0C0;
    int encre = 0;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.fillRect(rect(), rgb(fond));
        p.setPen(rgb(encre));
        QFont f = font();
        f.setBold(true);
        p.setFont(f);
        p.drawText(rect().adjusted(6, 0, -4, 0), Qt::AlignVCenter | Qt::AlignLeft,
                   p.fontMetrics().elidedText(texte, Qt::ElideRight, width() - 10));
    }
};

// The corner a person drags to resize a child panel.
class Poignee : public QWidget {
public:
    explicit Poignee(QWidget* parent) : QWidget(parent)
    {
        setCursor(Qt::SizeFDiagCursor);
        setFixedSize(10, 10);
    }
    std::function<void(QPoint)> deplace;
    std::function<void()> relache;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.setPen(QColor(120, 120, 120));
        for (int i = 2; i < 10; i += 3)
            p.drawLine(i, 9, 9, i);
    }
    void mousePressEvent(QMouseEvent* e) override { origine_ = e->globalPosition().toPoint(); }
    void mouseMoveEvent(QMouseEvent* e) override
    {
        if (!(e->buttons() & Qt::LeftButton) || !deplace)
            return;
        QPoint p = e->globalPosition().toPoint();
        deplace(p - origine_);
        origine_ = p;
    }
    void mouseReleaseEvent(QMouseEvent*) override
    {
        if (relache)
            relache();
    }

private:
    QPoint origine_;
};

// Marks the widgets that assistive technology sees as windows: child
// panels and the main window.
constexpr const char* ROLE_FENETRE = "tk_fenetre";

class CadreEnfant : public QFrame {
public:
    CadreEnfant(QWidget* parent, QWidget* contenu) : QFrame(parent), contenu_(contenu)
    {
        setProperty(ROLE_FENETRE, true);
        setFrameShape(QFrame::NoFrame);
        titre = new BarreTitre(this);
        titre->setObjectName(QStringLiteral("barre_titre"));
        titre->texte = contenu_->windowTitle();
        contenu_->setParent(this);
        poignee = new Poignee(this);
        titre->installEventFilter(this);
    }

    BarreTitre* titre;
    Poignee* poignee;
    int handle = 0;

    void fixer_client(int h, int w)
    {
        resize(std::max(w, 1) + 2 * BORD, std::max(h, 1) + DESSUS + BORD);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.fillRect(rect(), QColor(0xA0, 0xA0, 0xA0));
        p.setPen(QColor(0x40, 0x40, 0x40));
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }

    void resizeEvent(QResizeEvent*) override
    {
        titre->setGeometry(BORD, BORD, width() - 2 * BORD, HAUT_TITRE);
        contenu_->setGeometry(BORD, DESSUS, width() - 2 * BORD, height() - DESSUS - BORD);
        poignee->move(width() - poignee->width(), height() - poignee->height());
        poignee->raise();
    }

    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (o != titre)
            return false;
        switch (e->type()) {
        case QEvent::MouseButtonPress: {
            auto* m = static_cast<QMouseEvent*>(e);
            if (m->button() == Qt::LeftButton)
                prise_ = m->globalPosition().toPoint() - pos();
            return false;
        }
        case QEvent::MouseMove: {
            auto* m = static_cast<QMouseEvent*>(e);
            if (m->buttons() & Qt::LeftButton)
                move(m->globalPosition().toPoint() - prise_);
            return true;
        }
        case QEvent::MouseButtonDblClick:
            // The title bar toggles full screen with either button.
            tk::appeler_panel(handle, EVENT_RIGHT_DOUBLE_CLICK);
            return true;
        default:
            return false;
        }
    }

private:
    QWidget* contenu_;
    QPoint prise_;
};

// A window as assistive technology sees it: named by the title it shows.
class FenetreAccessible : public QAccessibleWidget {
public:
    explicit FenetreAccessible(QWidget* w) : QAccessibleWidget(w, QAccessible::Window) {}
    QString text(QAccessible::Text t) const override
    {
        if (t != QAccessible::Name)
            return QAccessibleWidget::text(t);
        if (auto* c = dynamic_cast<CadreEnfant*>(widget()))
            return c->titre->texte;
        return widget()->windowTitle();
    }
};

QAccessibleInterface* fabrique_accessible(const QString&, QObject* o)
{
    if (!o || !o->isWidgetType() || !o->property(ROLE_FENETRE).toBool())
        return nullptr;
    return new FenetreAccessible(static_cast<QWidget*>(o));
}

class Chargeur : public QUiLoader {
public:
    QWidget* createWidget(const QString& classe, QWidget* parent, const QString& nom) override
    {
        if (classe == QLatin1String("ListeReleves")) {
            auto* w = new ListeReleves(parent);
            w->setObjectName(nom);
            return w;
        }
        if (classe == QLatin1String("QCustomPlot")) {
            auto* w = new QCustomPlot(parent);
            w->setObjectName(nom);
            return w;
        }
        return QUiLoader::createWidget(classe, parent, nom);
    }
};

struct Panel {
    PanelKind kind{};
    QPointer<QWidget> contenu;
    QPointer<QWidget> fenetre;
    CadreEnfant* cadre = nullptr;
    PanelCallback cb = nullptr;
};

struct Etat {
    QString ressources;
    std::map<int, Panel> panels;
    int prochain_panel = 1;
    int actif = 0;
    std::map<int, QPointer<QAction>> actions;
    std::map<int, QPointer<QMenu>> menus;
    std::map<int, MenuCallback> callbacks;
    int prochain_item = ITEM_PREMIER_DYNAMIQUE;
    QPointer<QMenuBar> barre;
    int panel_barre = 0;
    bool filtre_installe = false;
    std::vector<tk::RegistrePanels> registres;
};

Etat& etat()
{
    static Etat e;
    return e;
}

Panel* trouver(int h)
{
    auto& p = etat().panels;
    auto it = p.find(h);
    if (it == p.end() || !it->second.contenu)
        return nullptr;
    return &it->second;
}

// Routes clicks and right double-clicks inside child panels to their panel.
class FiltreClics : public QObject {
protected:
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() != QEvent::MouseButtonPress && e->type() != QEvent::MouseButtonDblClick)
            return false;
        auto* w = qobject_cast<QWidget*>(o);
        if (!w)
            return false;
        int h = 0;
        for (QWidget* x = w; x; x = x->parentWidget())
            if (auto* c = dynamic_cast<CadreEnfant*>(x)) {
                h = c->handle;
                break;
            }
        if (!h)
            return false;
        auto* m = static_cast<QMouseEvent*>(e);
        if (e->type() == QEvent::MouseButtonPress) {
            if (tk::panel_actif() == h)
                tk::appeler_panel(h, EVENT_LEFT_CLICK);
            else
                tk::activer(h);
        } else if (m->button() == Qt::RightButton) {
            tk::appeler_panel(h, EVENT_RIGHT_DOUBLE_CLICK);
            return true;
        }
        return false;
    }
};

void installer_filtre()
{
    if (etat().filtre_installe || !qApp)
        return;
    static FiltreClics filtre;
    qApp->installEventFilter(&filtre);
    etat().filtre_installe = true;
}

void installer_accessibilite()
{
    static bool fait = false;
    if (!fait)
        QAccessible::installFactory(fabrique_accessible);
    fait = true;
}

// Forwards the resize of a top-level window (the main window) to its callback.
class FiltreTaille : public QObject {
public:
    int handle = 0;

protected:
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::Resize)
            tk::appeler_panel(handle, EVENT_PANEL_SIZE);
        if (e->type() == QEvent::Close) {
            // The window's close box goes through the panel's callback, which
            // decides whether the program ends.
            e->ignore();
            tk::appeler_panel(handle, EVENT_CLOSE);
            return true;
        }
        return false;
    }
};

int enregistrer(PanelKind kind, QWidget* contenu, QWidget* fenetre, CadreEnfant* cadre)
{
    int h = etat().prochain_panel++;
    etat().panels[h] = Panel{kind, contenu, fenetre, cadre, nullptr};
    if (cadre)
        cadre->handle = h;
    return h;
}

int creer_panel(int parent, PanelKind kind)
{
    QWidget* hote = nullptr;
    if (parent) {
        Panel* p = trouver(parent);
        if (!p)
            return -1;
        hote = p->contenu;
    }
    bool enfant = hote && (kind == PNL_DONNEES || kind == PNL_GRAPHE);
    installer_accessibilite();
    QWidget* w = tk::charger_formulaire(tk::nom_formulaire(kind), nullptr);
    if (!w)
        return -1;
    // Every control the code names is there, or the panel is not loaded:
    // the code never meets a missing control later, inside a callback.
    if (!lier_ou_signaler(kind, w)) {
        delete w;
        return -1;
    }
    if (kind == PNL_PRINC)
        w->setProperty(ROLE_FENETRE, true);
    if (enfant) {
        installer_filtre();
        auto* cadre = new CadreEnfant(hote, w);
        cadre->hide();
        cadre->fixer_client(w->height(), w->width());
        int h = enregistrer(kind, w, cadre, cadre);
        cadre->poignee->deplace = [cadre](QPoint d) {
            QSize s = cadre->size() + QSize(d.x(), d.y());
            cadre->resize(std::max(s.width(), 80), std::max(s.height(), 60));
        };
        cadre->poignee->relache = [h] { tk::appeler_panel(h, EVENT_PANEL_SIZE); };
        return h;
    }
    if (hote) {
        w->setParent(hote->window(), Qt::Dialog);
    }
    w->hide();
    return enregistrer(kind, w, w, nullptr);
}

} // namespace

namespace tk {

QColor couleur(int c)
{
    return QColor((c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF);
}

bool ouvrir_ressources(const QString& chemin)
{
    fermer_ressources();
    QFile f(chemin);
    if (!f.exists() || !f.open(QIODevice::ReadOnly))
        return false;
    if (!QResource::registerResource(chemin))
        return false;
    etat().ressources = chemin;
    return true;
}

void fermer_ressources()
{
    if (!etat().ressources.isEmpty())
        QResource::unregisterResource(etat().ressources);
    etat().ressources.clear();
}

QString nom_formulaire(PanelKind kind)
{
    switch (kind) {
    case PNL_INDEFINI: return "indefini.ui";
    case PNL_INFO: return "information.ui";
    case PNL_OPTIQUE: return "optique.ui";
    case PNL_OVERLOAD: return "overload.ui";
    case PNL_CONNEXION: return "connexion.ui";
    case PNL_EXCEL: return "excel.ui";
    case PNL_ALARME: return "alarme.ui";
    case PNL_COULEUR: return "couleur.ui";
    case PNL_ECHELLE: return "echelle.ui";
    case PNL_GRAPHE: return "graphe.ui";
    case PNL_INTERVAL: return "intervalle.ui";
    case PNL_TYPEMES: return "typemesure.ui";
    case PNL_TEXTE: return "texte.ui";
    case PNL_APROPOS: return "apropos.ui";
    case PNL_PRINT: return "impression.ui";
    case PNL_PRINC: return "principal.ui";
    case PNL_LIBRE: return {};
    case PNL_SPLASH: return "splash.ui";
    case PNL_DONNEES: return "donnees.ui";
    case PNL_PROGRESS: return "progression.ui";
    case PNL_STATISTIQUES: return "statistiques.ui";
    }
    return {};
}

QWidget* charger_formulaire(const QString& nom, QWidget* parent)
{
    if (nom.isEmpty())
        return nullptr;
    QFile f(":/panels/" + nom);
    if (!f.open(QIODevice::ReadOnly))
        return nullptr;
    Chargeur chargeur;
    return chargeur.load(&f, parent);
}

int LoadPanel(int parent, PanelKind kind)
{
    return creer_panel(parent, kind);
}

int DuplicatePanel(int parent, int source, const QString& t, int top, int left)
{
    Panel* src = trouver(source);
    if (!src)
        return -1;
    int h = creer_panel(parent, src->kind);
    if (h < 1)
        return h;
    SetPanelTitle(h, t);
    if (Panel* p = trouver(h); p && src->contenu)
        if (p->cadre)
            p->cadre->fixer_client(src->contenu->height(), src->contenu->width());
    deplacer(h, top, left);
    return h;
}

void DisplayPanel(int panel)
{
    if (Panel* p = trouver(panel)) {
        p->fenetre->show();
        p->fenetre->raise();
    }
}

void HidePanel(int panel)
{
    if (Panel* p = trouver(panel))
        p->fenetre->hide();
}

void DiscardPanel(int panel)
{
    auto& ps = etat().panels;
    auto it = ps.find(panel);
    if (it == ps.end())
        return;
    for (const RegistrePanels& r : etat().registres)
        r.oublier(panel);
    QPointer<QWidget> f = it->second.fenetre;
    ps.erase(it);
    if (etat().actif == panel)
        etat().actif = 0;
    if (f) {
        f->hide();
        f->deleteLater();
    }
}

void InstallPopup(int panel)
{
    if (Panel* p = trouver(panel)) {
        p->fenetre->setWindowModality(Qt::ApplicationModal);
        p->fenetre->show();
        p->fenetre->raise();
        p->fenetre->activateWindow();
    }
}

void RemovePopup(int panel)
{
    HidePanel(panel);
}

bool panel_valide(int panel)
{
    return trouver(panel) != nullptr;
}

void inscrire_registre(RegistrePanels r)
{
    etat().registres.push_back(r);
}

std::size_t entrees_registres()
{
    const Etat& e = etat();
    std::size_t n = e.panels.size() + e.actions.size() + e.callbacks.size();
    for (const RegistrePanels& r : e.registres)
        n += r.taille();
    return n;
}

PanelKind type_panel(int panel)
{
    Panel* p = trouver(panel);
    return p ? p->kind : PanelKind{};
}

QWidget* contenu(int panel)
{
    Panel* p = trouver(panel);
    return p ? p->contenu.data() : nullptr;
}

QWidget* fenetre(int panel)
{
    Panel* p = trouver(panel);
    return p ? p->fenetre.data() : nullptr;
}

void SetPanelCallback(int panel, PanelCallback cb)
{
    if (Panel* p = trouver(panel)) {
        p->cb = cb;
        if (!p->cadre && !p->contenu->parentWidget()) {
            auto* f = new FiltreTaille;
            f->handle = panel;
            f->setParent(p->contenu);
            p->contenu->installEventFilter(f);
        }
    }
}

int appeler_panel(int panel, int event, int e1, int e2)
{
    Panel* p = trouver(panel);
    if (!p || !p->cb)
        return 0;
    return p->cb(panel, event, nullptr, e1, e2);
}

Geometrie geometrie(int panel)
{
    Panel* p = trouver(panel);
    if (!p)
        return {};
    if (p->cadre) {
        QRect r = p->cadre->geometry();
        return {r.top() + DESSUS, r.left() + BORD, r.height() - DESSUS - BORD, r.width() - 2 * BORD};
    }
    QRect r = p->fenetre->geometry();
    return {r.top(), r.left(), r.height(), r.width()};
}

void deplacer(int panel, int t, int l)
{
    Panel* p = trouver(panel);
    if (!p)
        return;
    if (p->cadre)
        p->cadre->move(l - BORD, t - DESSUS);
    else
        p->fenetre->setGeometry(l, t, p->fenetre->width(), p->fenetre->height());
}

void SetPanelHeight(int panel, int h)
{
    Panel* p = trouver(panel);
    if (!p)
        return;
    if (p->cadre)
        p->cadre->fixer_client(h, geometrie(panel).width);
    else
        p->fenetre->resize(p->fenetre->width(), h);
}

void SetPanelWidth(int panel, int w)
{
    Panel* p = trouver(panel);
    if (!p)
        return;
    if (p->cadre)
        p->cadre->fixer_client(geometrie(panel).height, w);
    else
        p->fenetre->resize(w, p->fenetre->height());
}

QString titre(int panel)
{
    Panel* p = trouver(panel);
    if (!p)
        return {};
    return p->cadre ? p->cadre->titre->texte : p->fenetre->windowTitle();
}

void SetPanelTitle(int panel, const QString& t)
{
    Panel* p = trouver(panel);
    if (!p)
        return;
    if (p->cadre) {
        p->cadre->titre->texte = t;
        p->cadre->titre->update();
        QAccessibleEvent nom(p->cadre, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&nom);
    } else {
        p->fenetre->setWindowTitle(t);
    }
}

void couleurs_titre(int panel, int barre, int texte)
{
    Panel* p = trouver(panel);
    if (!p || !p->cadre)
        return;
    p->cadre->titre->fond = barre;
    p->cadre->titre->encre = texte;
    p->cadre->titre->update();
}

int couleur_texte_titre(int panel)
{
    Panel* p = trouver(panel);
    return p && p->cadre ? p->cadre->titre->encre : 0;
}

void activer(int panel)
{
    Panel* p = trouver(panel);
    if (!p)
        return;
    int avant = etat().actif;
    etat().actif = panel;
    if (p->cadre)
        p->cadre->raise();
    if (avant && avant != panel)
        appeler_panel(avant, EVENT_LOST_FOCUS);
    appeler_panel(panel, EVENT_GOT_FOCUS);
}

int panel_actif()
{
    return etat().actif;
}

int etat_zoom(int panel)
{
    Panel* p = trouver(panel);
    return p && p->fenetre->isMaximized() ? 1 : 0;
}

void SetPanelZoom(int panel, int e)
{
    if (Panel* p = trouver(panel)) {
        if (e)
            p->fenetre->setWindowState(p->fenetre->windowState() | Qt::WindowMaximized);
        else
            p->fenetre->setWindowState(p->fenetre->windowState() & ~Qt::WindowMaximized);
    }
}

// ---- menus ----------------------------------------------------------------

namespace {
void relier(int id, QAction* a)
{
    etat().actions[id] = a;
    QObject::connect(a, &QAction::triggered, a, [id, a](bool coche) {
        // The callbacks own the check marks: undo Qt's automatic toggle.
        if (a->isCheckable())
            a->setChecked(!coche);
        rappeler_item(id);
    });
}
} // namespace

int GetPanelMenuBar(int panel)
{
    Panel* p = trouver(panel);
    if (!p)
        return 0;
    auto* mb = p->contenu->findChild<QMenuBar*>();
    if (!mb)
        return 0;
    if (etat().barre != mb) {
        etat().barre = mb;
        etat().panel_barre = panel;
        for (const auto& n : noms_menus) {
            if (auto* m = mb->findChild<QMenu*>(n.objet)) {
                etat().menus[n.id] = m;
                etat().actions[n.id] = m->menuAction();
            } else if (auto* a = p->contenu->findChild<QAction*>(n.objet)) {
                // Forms cannot mark an action as a separator: its name does.
                if (QLatin1String(n.objet).startsWith(QLatin1String("sep_")))
                    a->setSeparator(true);
                relier(n.id, a);
            }
        }
    }
    return 1;
}

QMenuBar* barre(int menubar)
{
    return menubar == 1 ? etat().barre.data() : nullptr;
}

QAction* action(int item)
{
    auto it = etat().actions.find(item);
    return it == etat().actions.end() ? nullptr : it->second.data();
}

QMenu* sous_menu(int menu_id)
{
    auto it = etat().menus.find(menu_id);
    return it == etat().menus.end() ? nullptr : it->second.data();
}

int NewMenuItem(int, int menu_id, int avant, const QString& texte, MenuCallback cb)
{
    QMenu* m = sous_menu(menu_id);
    if (!m)
        return -1;
    auto* a = new QAction(texte, m);
    QAction* pos = avant > 0 ? action(avant) : nullptr;
    if (pos)
        m->insertAction(pos, a);
    else
        m->addAction(a);
    int id = etat().prochain_item++;
    relier(id, a);
    etat().callbacks[id] = cb;
    return id;
}

void DiscardMenuItem(int, int item)
{
    QAction* a = action(item);
    etat().actions.erase(item);
    etat().callbacks.erase(item);
    delete a;
}

void SetMenuItemCallback(int item, MenuCallback cb)
{
    etat().callbacks[item] = cb;
}

void rappeler_item(int item)
{
    auto it = etat().callbacks.find(item);
    if (it == etat().callbacks.end() || !it->second)
        return;
    it->second(1, item, nullptr, etat().panel_barre);
}

void declencher(int item)
{
    rappeler_item(item);
}

void SetItemName(int item, const QString& texte)
{
    if (QAction* a = action(item))
        a->setText(texte);
}

void SetItemDimmed(int item, bool dimmed)
{
    if (QAction* a = action(item))
        a->setEnabled(!dimmed);
}

void SetItemChecked(int item, bool checked)
{
    if (QAction* a = action(item)) {
        a->setCheckable(true);
        a->setChecked(checked);
    }
}

bool ItemChecked(int item)
{
    QAction* a = action(item);
    return a && a->isChecked();
}

void reinitialiser()
{
    auto& e = etat();
    for (auto& [h, p] : e.panels)
        for (const RegistrePanels& r : e.registres)
            r.oublier(h);
    for (auto& [h, p] : e.panels)
        if (p.fenetre && !p.fenetre->parentWidget())
            delete p.fenetre.data();
    e.panels.clear();
    // Handles are never reused: bindings cached under an old handle must not
    // match a new panel that happens to sit at the same address.
    e.actif = 0;
    e.actions.clear();
    e.menus.clear();
    e.callbacks.clear();
    e.prochain_item = ITEM_PREMIER_DYNAMIQUE;
    e.barre = nullptr;
    e.panel_barre = 0;
}

} // namespace tk
