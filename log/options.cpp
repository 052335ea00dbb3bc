#include "options.h"

#include <QRegularExpression>
#include <array>

namespace {

// Codes 1..12 in order.
constexpr std::array<const char*, 12> ETIQUETTES = {"V", "Vm", "I", "Im", "P", "Pm",
                                                    "Q", "Qm", "S", "Sm", "FP", "FPm"};

constexpr qint64 JOUR = 86400;
// Beyond this a duration is surely a typing error (and stays far from overflow).
constexpr qint64 DUREE_MAX = 3650 * JOUR;

bool lire_periode(const QString& t, int& periode)
{
    if (t == QLatin1String("0.5") || t == QLatin1String(".5")) {
        periode = 0;
        return true;
    }
    bool ok = false;
    const int s = t.toInt(&ok);
    if (!ok || s < 1 || s > 3600)
        return false;
    periode = s;
    return true;
}

} // namespace

int code_grandeur(const QString& texte)
{
    const QString t = texte.trimmed();
    for (std::size_t i = 0; i < ETIQUETTES.size(); ++i)
        if (t.compare(QLatin1String(ETIQUETTES[i]), Qt::CaseInsensitive) == 0)
            return int(i) + 1;
    bool ok = false;
    const int code = t.toInt(&ok);
    return ok && code >= 1 && code <= 12 ? code : 0;
}

QString etiquette_grandeur(int code)
{
    return code >= 1 && code <= 12 ? QLatin1String(ETIQUETTES[std::size_t(code - 1)]) : QString();
}

qint64 lire_duree(const QString& texte)
{
    const QString t = texte.trimmed();
    static const QRegularExpression dialogue(QStringLiteral("^(?:(\\d{1,3})\\s+)?(\\d{1,2}):(\\d{2}):(\\d{2})$"));
    static const QRegularExpression unite(QStringLiteral("^(\\d{1,9})\\s*([smhdSMHD]?)$"));
    qint64 s = -1;
    if (const auto m = dialogue.match(t); m.hasMatch()) {
        const int mi = m.captured(3).toInt();
        const int se = m.captured(4).toInt();
        if (mi >= 60 || se >= 60)
            return -1;
        s = m.captured(1).toLongLong() * JOUR + m.captured(2).toLongLong() * 3600 + mi * 60 + se;
    } else if (const auto u = unite.match(t); u.hasMatch()) {
        const qint64 n = u.captured(1).toLongLong();
        const QChar c = u.captured(2).isEmpty() ? QChar('s') : u.captured(2).at(0).toLower();
        const qint64 facteur = c == 'd' ? JOUR : c == 'h' ? 3600 : c == 'm' ? 60 : 1;
        if (n > DUREE_MAX / facteur)
            return -1;
        s = n * facteur;
    }
    return s > 0 && s <= DUREE_MAX ? s : -1;
}

QString lire_options(const QStringList& args, OptionsLog& o)
{
    o = OptionsLog{};
    bool periode_vue = false;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        const auto suivant = [&](QString& v) {
            if (i + 1 >= args.size())
                return false;
            v = args[++i];
            return true;
        };
        QString v;
        if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
            o.aide = true;
            return {};
        } else if (a == QLatin1String("--roll")) {
            o.roulement = true;
        } else if (a == QLatin1String("--csv")) {
            o.csv = true;
        } else if (a == QLatin1String("--com")) {
            bool ok = false;
            if (!suivant(v) || (o.com = v.toInt(&ok), !ok) || o.com < 1 || o.com > 256)
                return QStringLiteral("--com takes a port number from 1 to 256");
        } else if (a == QLatin1String("--device")) {
            if (!suivant(v) || v.isEmpty())
                return QStringLiteral("--device takes the path of a serial device");
            o.peripherique = v;
        } else if (a == QLatin1String("--quantities")) {
            if (!suivant(v))
                return QStringLiteral("--quantities takes one or two quantities, such as V,P");
            const QStringList l = v.split(QLatin1Char(','), Qt::SkipEmptyParts);
            if (l.isEmpty() || l.size() > 2)
                return QStringLiteral("--quantities takes one or two quantities, such as V,P");
            for (const QString& g : l) {
                const int c = code_grandeur(g);
                if (c == 0)
                    return QStringLiteral("unknown quantity \"%1\" (V, Vm, I, Im, P, Pm, Q, Qm, S, Sm, FP, FPm or 1..12)")
                        .arg(g.trimmed());
                if (o.grandeurs.contains(c))
                    return QStringLiteral("quantity \"%1\" is given twice").arg(g.trimmed());
                o.grandeurs << c;
            }
        } else if (a == QLatin1String("--period")) {
            if (!suivant(v) || !lire_periode(v, o.periode))
                return QStringLiteral("--period takes 0.5 or a whole number of seconds from 1 to 3600");
            periode_vue = true;
        } else if (a == QLatin1String("--duration")) {
            if (!suivant(v) || (o.duree = lire_duree(v)) <= 0)
                return QStringLiteral("--duration takes a duration such as 90s, 15m, 4h, 3d or \"001 12:00:00\"");
        } else if (a.startsWith(QLatin1String("-")) && a.size() > 1) {
            return QStringLiteral("unknown option %1 (see --help)").arg(a);
        } else if (o.sortie.isEmpty()) {
            o.sortie = a;
        } else {
            return QStringLiteral("one output file only (%1 and %2)").arg(o.sortie, a);
        }
    }
    (void)periode_vue;
    if ((o.com != 0) == !o.peripherique.isEmpty())
        return QStringLiteral("give the instrument's port: --com N or --device PATH (one of them)");
    if (o.grandeurs.isEmpty())
        return QStringLiteral("--quantities is needed (one or two, such as V,P)");
    if (o.sortie.isEmpty())
        return QStringLiteral("the output file OUT.dat is needed");
    if (!o.sortie.endsWith(QLatin1String(".dat"), Qt::CaseInsensitive))
        return QStringLiteral("the output file must end in .dat (its .cfg is written beside it)");
    return {};
}

QString nom_fichier_rang(const QString& sortie, int k)
{
    if (k <= 1)
        return sortie;
    const QString base = sortie.left(sortie.size() - 4);
    return base + QStringLiteral("_%1").arg(k, 3, 10, QLatin1Char('0')) + sortie.right(4);
}

QString chemin_csv(const QString& dat)
{
    return dat.left(dat.size() - 4) + QStringLiteral(".csv");
}

QString texte_duree(qint64 s)
{
    if (s < 0)
        s = 0;
    const QString hms = QStringLiteral("%1:%2:%3")
                            .arg((s % JOUR) / 3600, 2, 10, QLatin1Char('0'))
                            .arg((s % 3600) / 60, 2, 10, QLatin1Char('0'))
                            .arg(s % 60, 2, 10, QLatin1Char('0'));
    return s >= JOUR ? QStringLiteral("%1d %2").arg(s / JOUR).arg(hms) : hms;
}

QString ligne_progression(qint64 releves, const QString& valeurs, qint64 ecoule, qint64 reste,
                          const QString& fichier)
{
    QString l = QStringLiteral("%1 readings  %2  elapsed %3").arg(releves).arg(valeurs, texte_duree(ecoule));
    if (reste >= 0)
        l += QStringLiteral("  remaining %1").arg(texte_duree(reste));
    return l + QStringLiteral("  %1").arg(fichier);
}

QString texte_aide()
{
    return QStringLiteral(
        "Usage: voltexa-log --com N | --device PATH --quantities Q[,Q] [--period P]\n"
        "                   [--duration D] [--roll] [--csv] OUT.dat\n"
        "Records readings of the wattmeter into the recording pair OUT.dat / OUT.cfg,\n"
        "which VOLTEXA opens with File > Open.\n"
        "\n"
        "  --com N          COM port N, found as VOLTEXA finds it (its ports/ folder)\n"
        "  --device PATH    the serial device itself\n"
        "  --quantities Q   one or two of V Vm I Im P Pm Q Qm S Sm FP FPm (or codes 1..12);\n"
        "                   the instrument's mode must offer them\n"
        "  --period P       0.5, or whole seconds 1..3600 (default 0.5)\n"
        "  --duration D     stop after D: 90s, 15m, 4h, 3d or \"DDD hh:mm:ss\"\n"
        "  --roll           at 30000 readings start OUT_002.dat, OUT_003.dat... (without\n"
        "                   it the logger stops at 30000 readings, as VOLTEXA does)\n"
        "  --csv            also write each pair's readings as OUT.csv (OUT_002.csv...),\n"
        "                   as Edit > Export to CSV does, when the pair is completed;\n"
        "                   after a kill -9 the pair in progress has no CSV (make it\n"
        "                   from its .dat in VOLTEXA with Edit > Export to CSV)\n"
        "  --help           this text\n"
        "\n"
        "Ctrl-C, SIGTERM or a closed terminal (SIGHUP, unless run under nohup)\n"
        "ends the recording cleanly. An existing pair (or, with --csv, its CSV)\n"
        "is never overwritten: the run starts at the first free OUT_NNN.dat.\n"
        "Exit status: 0 done, 1 arguments, 2 port, 3 instrument, 4 files.\n");
}
