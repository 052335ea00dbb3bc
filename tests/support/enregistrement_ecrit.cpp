#include "support/enregistrement_ecrit.h"

#include "files/format.h"

#include <QFile>
#include <QtTest>

void ecrire_fichier(const QString& chemin, const QByteArray& texte)
{
    QFile f(chemin);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(texte), texte.size());
}

QByteArray colonne(double v)
{
    return QByteArray::number(v, 'f', 3);
}

void ecrire_deux_voies(const QString& dat, int n, const std::function<QByteArray(int)>& v1,
                       const std::function<QByteArray(int)>& v2)
{
    QByteArray cfg = "1 1 1 2 7 V(V)     \r\n2 1 5 2 8 P(W)     \r\n0.000000\r\n1\r\n" +
                     QByteArray::number(n) + "\r\n";
    for (int j = 0; j < n; ++j)
        cfg += QByteArray::number(2 * j) + "\r\n";
    ecrire_fichier(chemin_configuration(dat), cfg);
    QByteArray d;
    for (int j = 0; j < n; ++j) {
        QByteArray l = QByteArray::number(j + 1).rightJustified(5) + " 07-03-2026 00:00:" +
                       QByteArray::number(j % 60).rightJustified(2, '0') + " ";
        l += " " + v1(j).rightJustified(9) + "     ";
        l += " " + v2(j).rightJustified(9) + "         ";
        d += l + "\r\n";
    }
    ecrire_fichier(dat, d);
}
