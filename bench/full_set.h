#pragma once
// The lists of a saved set at full capacity, as the benchmarks load them: 9,999 customers with
// their history, 9,999 articles, 9,999 invoices, 256 machines and 98,999 cash tickets.
#include <QString>
#include <QStringList>

namespace fullset {

inline QString Tag(const char* slash, int n, int width)
{
    return QStringLiteral("<%1BLOC%2>").arg(QLatin1String(slash)).arg(n, width, 10, QLatin1Char('0'));
}

inline void AddBlock(QStringList& list, int n, int width, const QStringList& fields)
{
    list << Tag("", n, width);
    list += fields;
    list << Tag("/", n, width);
}

inline QString Date(int i)
{
    return QStringLiteral("%1/%2/20%3").arg(1 + i % 28, 2, 10, QLatin1Char('0')).arg(1 + i % 12, 2, 10, QLatin1Char('0')).arg(20 + i % 5);
}

// Blocks shaped like the cards write them: the fixed field lines, then the repeated ones.
inline QStringList Customers()
{
    QStringList list;
    for (int i = 0; i < 9999; ++i) {
        QStringList f = {QString::number(10001 + i), "N", "N", QStringLiteral("DUPRÉ Élodie %1").arg(i),
                         QStringLiteral("%1 rue de la Gare").arg(i % 200), "Bâtiment B", "75011", "Paris", "France",
                         "01 43 55 12 34", "", QStringLiteral("client%1@exemple.fr").arg(i),
                         QStringLiteral("login%1").arg(i), "k7Xq2p", "600", "135", "   1 250,00", Date(i), "18:45",
                         Date(i + 3), Date(i + 40), "", ""};
        for (int g = 0; g < 5; ++g)
            f << QStringLiteral("GRID%1\t%2\t\t\t\t").arg(Date(g).left(5), Date(g + 1).left(5));
        for (int h = 0; h < 20; ++h)
            f << QStringLiteral("DATA%1\tAbonnement 10 h — crédit\t     20,00").arg(Date(i + h));
        f << "MEMOHabitué, préfère le poste 12." << "MEMOPaie en espèces €.";
        AddBlock(list, i, 4, f);
    }
    return list;
}

inline QStringList Articles()
{
    QStringList list;
    for (int i = 0; i < 9999; ++i) {
        QStringList f = {QStringLiteral("A%1").arg(i, 5, 10, QLatin1Char('0')), "Boissons",
                         QStringLiteral("Café crème n°%1").arg(i), "      1,80", "1", "707000", "Brûlerie Œ",
                         "120", "10", "Y"};
        for (int h = 0; h < 5; ++h)
            f << QStringLiteral("DATA%1\tEntrée en stock\t     48,00").arg(Date(i + h));
        f << "MEM5Arabica d'Éthiopie" << "MEM6À servir chaud";
        AddBlock(list, i, 4, f);
    }
    return list;
}

inline QStringList Invoices()
{
    QStringList list;
    for (int i = 0; i < 9999; ++i) {
        QStringList f = {QStringLiteral("NUMF2024%1").arg(i % 12 * 1000 + i % 1000, 5, 10, QLatin1Char('0')),
                         Date(i), QString::number(10001 + i), "Espèces", QStringLiteral("DUPRÉ Élodie %1").arg(i),
                         "12 rue de la Gare", "", "75011 Paris", "N", "      0,00", "     42,50"};
        for (int l = 0; l < 10; ++l)
            f << QStringLiteral("FACTA%1\tCafé crème\t2\t1,80\t0\t3,60\t1").arg(l, 5, 10, QLatin1Char('0'));
        f << "MEMOMerci de votre visite.";
        AddBlock(list, i, 4, f);
    }
    return list;
}

inline QStringList Machines()
{
    QStringList list;
    for (int i = 0; i < 256; ++i) {
        QStringList f = {QStringLiteral("P%1").arg(i, 3, 10, QLatin1Char('0')), QStringLiteral("poste-%1").arg(i),
                         "Linux", "192.168.0.1", "N", "Y", "Y", "N", "Y", "N", "Y", "N", "Y", "N"};
        for (int h = 0; h < 10; ++h)
            f << QStringLiteral("DATA%1\tSession\t      2,50").arg(Date(i + h));
        AddBlock(list, i, 4, f);
    }
    return list;
}

inline QStringList Tickets(int count = 98999)
{
    QStringList list;
    for (int i = 0; i < count; ++i) {
        QStringList f = {QStringLiteral("NUMT2024%1").arg(i % 100000, 5, 10, QLatin1Char('0')), Date(i),
                         QString::number(10001 + i % 9999), QStringLiteral("poste-%1").arg(i % 256), "14:05",
                         "15:20", "75", "Y", "      5,50"};
        f << "FACTTemps de connexion\t1\t5,50\t5,50" << "FACTCafé crème\t1\t1,80\t1,80";
        AddBlock(list, i, 5, f);
    }
    return list;
}

}  // namespace fullset
