#pragma once
// A card-file window whose printouts go to a recording canvas (an A4 page at 600 dots an inch:
// 23 pixels a millimetre across and down, either way up) and whose dialogs are scripted.
// Positions are read back as the millimetres the layout handed to Mh and Mv.
#include <QPrinter>
#include "platform/print/recording.h"
#include "support/card_fixture.h"
#include "support/scripted_dialogs.h"

namespace cards {

class PrintFixture : public CardFixture {
protected:
    void SetUp() override
    {
        CardFixture::SetUp();
        canvas.Install();
    }

    // "x y text" for every text of one page of one job, in the order drawn, x and y in the
    // layout's millimetres.
    QStringList Drawn(int job = 0, int page = 0) const
    {
        QStringList out;
        for (const auto& t : canvas.TextsOn(job, page))
            out << Place(t.x, t.y) + ' ' + t.text;
        return out;
    }
    // "x y" of a position in pixels.
    static QString Place(int x, int y) { return QString::number(x / PerMm) + ' ' + QString::number(y / PerMm - 3); }
    // Pixels at x or y millimetres.
    static int Px(int x) { return x * PerMm; }
    static int Py(int y) { return (y + 3) * PerMm; }

    static constexpr int PerMm = 23;  // 4960 / 210 and 7016 / 297, truncated
    platform::RecordingCanvas canvas;
    ScriptedDialogs dialogs;
};

// A customer block as the lists read it: name +4, address +5 and +6, postal code +7, town +8,
// telephone +10, fax +11.
inline QStringList Customer(int n, const QString& name, const QString& town = QStringLiteral("LYON"))
{
    QStringList fields = CustomerFields(QString::number(10001 + n), name);
    fields[5] = "Bât. " + QString::number(n);
    fields[7] = town;
    fields[10] = "0478000009";
    return Block(n, fields);
}

inline QStringList Customers(int count)
{
    QStringList lines;
    for (int n = 0; n < count; ++n)
        lines << Customer(n, QStringLiteral("CLIENT %1").arg(n, 3, 10, QLatin1Char('0')));
    return lines;
}

}  // namespace cards
