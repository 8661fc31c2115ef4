#include "manager/cardfile/core/settings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>
#include <cmath>
#include <iterator>
#include <variant>
#include "platform/textfile.h"

namespace settings {

const QString IniFile = QStringLiteral("Velmora.ini");
const QString CompanyFile = QStringLiteral("Velmora.soc");

namespace {

const QString PickListName = QStringLiteral("Velmora.Cbx");
const QString FamilySection = QStringLiteral("[ARTICLE]");
const QString SupplierSection = QStringLiteral("[FOURNISSEUR]");
const QString PaymentSection = QStringLiteral("[FACTURE]");

// The values of "Velmora.ini" in their order. Line 1 is read into DernierFichier but written from
// the path handed to IniLines.
using Value = std::variant<QString IniValues::*, int IniValues::*, double IniValues::*>;
const Value IniLayout[] = {
    &IniValues::DernierFichier,       &IniValues::OuvrirAuto,         &IniValues::TypePapier,
    &IniValues::OrientationEnveloppe, &IniValues::DecalageEnveloppe,  &IniValues::ModeSelection,
    &IniValues::TauxTVA1,             &IniValues::TauxTVA2,           &IniValues::TauxTVA3,
    &IniValues::Decimales,            &IniValues::TarifQuartHeure,    &IniValues::TarifDemiHeure,
    &IniValues::TarifTroisQuarts,     &IniValues::TarifHeure,         &IniValues::TarifQuartSup,
    &IniValues::TarifHeureAbo,        &IniValues::SensConversion,     &IniValues::DeviseChoisie,
    &IniValues::TauxFranc,            &IniValues::TauxDollar,         &IniValues::TauxLivre,
    &IniValues::TauxYen,              &IniValues::TauxDollarCanadien, &IniValues::CodeBouton1,
    &IniValues::CodeBouton2,          &IniValues::CodeBouton3,        &IniValues::HeuresAbonnement,
    &IniValues::DemarrageAuto,
};
static_assert(std::size(IniLayout) == 28);

// Reads the settings file the way it has always been read, so that files written by hand or by
// older versions give the same values: a text value runs to the CR that ends its line (a lone LF
// does not end it) and the reader then passes that CR LF; a number first skips blanks and control
// characters (so empty lines in front of it are passed over), runs to the next such character,
// and the rest of its line is passed. At the end of the file every read gives an empty text.
class IniReader {
public:
    explicit IniReader(QString text) : t_(std::move(text)) {}

    QString Text()
    {
        const qsizetype start = p_;
        while (p_ < t_.size() && t_[p_] != u'\r')
            ++p_;
        const QString value = t_.mid(start, p_ - start);
        EndOfLine();
        return value;
    }

    QString Number(qsizetype maxLength)
    {
        while (p_ < t_.size() && t_[p_] <= u' ')
            ++p_;
        const qsizetype start = p_;
        while (p_ < t_.size() && t_[p_] > u' ' && p_ - start < maxLength)
            ++p_;
        const QString value = t_.mid(start, p_ - start);
        EndOfLine();
        return value;
    }

private:
    void EndOfLine()
    {
        while (p_ < t_.size() && t_[p_] != u'\r')
            ++p_;
        if (p_ < t_.size())
            ++p_;
        if (p_ < t_.size() && t_[p_] == u'\n')
            ++p_;
    }

    QString t_;
    qsizetype p_ = 0;
};

// A damaged number reads as the value of its leading digits (0 without any): one bad line must
// not cost the values after it.
const QRegularExpression LeadingDigits(QStringLiteral("^[+-]?[0-9]+"));

int ReadInteger(const QString& text)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    if (ok)
        return value;
    const int leading = LeadingDigits.match(text).captured().toInt(&ok);
    return ok ? leading : 0;
}

double ReadReal(const QString& text)
{
    static const QRegularExpression real(
        QStringLiteral("^[+-]?([0-9]+(\\.[0-9]*)?|\\.[0-9]+)([eE][+-]?[0-9]+)?$"));
    bool ok = false;
    if (real.match(text).hasMatch()) {
        const double value = QLocale::c().toDouble(text, &ok);
        if (ok)
            return value;
    }
    const double leading = QLocale::c().toDouble(LeadingDigits.match(text).captured(), &ok);
    return ok ? leading : 0;
}

// The 23-character scientific form: a blank or '-', one digit, '.', 14 digits, 'E', the
// exponent's sign and 4 digits. The point is '.', whatever the program's decimal separator.
QString RealText(double value)
{
    if (!std::isfinite(value))
        value = 0;  // nothing in the program makes one; a file must still read back
    const QString form = QString::number(value, 'E', 14);  // "1.96000000000000E+01"
    const qsizetype e = form.indexOf(u'E');
    const QString mantissa = form.left(e);
    const int exponent = form.mid(e + 1).toInt();
    return (mantissa.startsWith(u'-') ? mantissa : u' ' + mantissa) + u'E' + (exponent < 0 ? u'-' : u'+')
           + QStringLiteral("%1").arg(std::abs(exponent), 4, 10, QLatin1Char('0'));
}

}  // namespace

// ---- "Velmora.ini" --------------------------------------------------------------------------------

void ReadIni(const QString& text, IniValues& values)
{
    IniReader reader(text);
    for (const Value& value : IniLayout) {
        if (auto t = std::get_if<QString IniValues::*>(&value))
            values.**t = reader.Text();
        else if (auto i = std::get_if<int IniValues::*>(&value))
            values.**i = ReadInteger(reader.Number(32));
        else
            values.*std::get<double IniValues::*>(value) = ReadReal(reader.Number(64));
    }
}

QStringList IniLines(const IniValues& values, const QString& lastSet)
{
    QStringList lines;
    for (const Value& value : IniLayout) {
        if (auto t = std::get_if<QString IniValues::*>(&value))
            lines << (*t == &IniValues::DernierFichier ? lastSet : values.**t);
        else if (auto i = std::get_if<int IniValues::*>(&value))
            lines << QString::number(values.**i);
        else
            lines << RealText(values.*std::get<double IniValues::*>(value));
    }
    return lines;
}

QString SetToOpen(const QString& lastSet, bool openAuto, const QDir& folder)
{
    if (!openAuto || lastSet.isEmpty())
        return QString();
    if (QFileInfo(lastSet).isFile())
        return lastSet;
    const QString name = QFileInfo(lastSet).fileName();
    return !name.isEmpty() && QFileInfo(folder.filePath(name)).isFile() ? folder.absoluteFilePath(name) : QString();
}

bool LoadIni(const QString& path, IniValues& values)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    ReadIni(textfile::DecodeCp1252(file.readAll()), values);
    return true;
}

bool SaveIni(const QString& path, const IniValues& values, const QString& lastSet)
{
    return textfile::SaveToFile(path, IniLines(values, lastSet));
}

// ---- "Velmora.soc" --------------------------------------------------------------------------------

void ReadCompany(const QStringList& lines, CompanyLines& company)
{
    for (qsizetype n = 0; n < std::min<qsizetype>(lines.size(), std::size(company.LignesSociete)); ++n)
        company.LignesSociete[n] = lines[n];
}

bool LoadCompany(const QString& path, CompanyLines& company)
{
    QStringList lines;
    if (!textfile::LoadFromFile(path, lines))
        return false;
    ReadCompany(lines, company);
    return true;
}

bool SaveCompany(const QString& path, const CompanyLines& company)
{
    return textfile::SaveToFile(path,
                                QStringList(std::begin(company.LignesSociete), std::end(company.LignesSociete)));
}

// ---- "Velmora.cbx" --------------------------------------------------------------------------------

PickLists ReadPickLists(const QStringList& lines)
{
    PickLists lists;
    QStringList* current = nullptr;
    for (const QString& line : lines) {
        if (line == FamilySection)
            current = &lists.Familles;
        else if (line == SupplierSection)
            current = &lists.Fournisseurs;
        else if (line == PaymentSection)
            current = &lists.ModesPaiement;
        else if (current)
            current->append(line);
    }
    return lists;
}

QStringList PickListLines(const PickLists& lists)
{
    return QStringList{FamilySection} + lists.Familles + QStringList{SupplierSection} + lists.Fournisseurs
           + QStringList{PaymentSection} + lists.ModesPaiement;
}

QString PickListPath(const QDir& folder)
{
    if (QFileInfo(folder.filePath(PickListName)).isFile())
        return folder.filePath(PickListName);
    const QStringList found = folder.entryList({PickListName}, QDir::Files, QDir::Name);
    return folder.filePath(found.isEmpty() ? PickListName : found.first());
}

bool LoadPickLists(const QString& path, PickLists& lists)
{
    QStringList lines;
    if (!textfile::LoadFromFile(path, lines))
        return false;
    lists = ReadPickLists(lines);
    return true;
}

bool SavePickLists(const QString& path, const PickLists& lists)
{
    return textfile::SaveToFile(path, PickListLines(lists));
}

}  // namespace settings
