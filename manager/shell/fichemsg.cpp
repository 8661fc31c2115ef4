#include "manager/shell/fichemsg.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include "manager/shell/fichierbureau.h"
#include "platform/application.h"
#include "platform/rtl.h"

namespace {

constexpr int FieldCount = 7, FlagCount = 5;
// What the operator may type into each field. A loaded field may be longer (a file written by
// hand): it is shown whole, and typing stops at the longer of the two.
constexpr int Limits[FieldCount] = {30, 30, 30, 20, 10, 10, 50};

const QString Blank = QStringLiteral(" ");

QString WithoutLeadingBlanks(const QString& text)
{
    qsizetype i = 0;
    while (i < text.size() && text[i] == u' ')
        ++i;
    return text.mid(i);
}

}  // namespace

TFicheMsg::TFicheMsg(QWidget* owner) : QDialog(owner)
{
    setupUi(this);
    QPalette yellow = Panel1->palette();
    yellow.setColor(QPalette::Window, QColor(255, 255, 0));
    yellow.setColor(QPalette::WindowText, Qt::black);
    Panel1->setPalette(yellow);

    connect(Button1, &QPushButton::clicked, this, platform::guard(this, &TFicheMsg::Button1Click));
    connect(Button2, &QPushButton::clicked, this, platform::guard(this, &TFicheMsg::Button2Click));
    connect(Button3, &QPushButton::clicked, this, platform::guard(this, &TFicheMsg::Button3Click));
    connect(Button4, &QPushButton::clicked, this, platform::guard(this, &TFicheMsg::Button4Click));
    connect(Button5, &QPushButton::clicked, this, platform::guard(this, &TFicheMsg::Button5Click));

    const QList<QLineEdit*> edits = fields();
    for (int i = 0; i < FieldCount; ++i) {
        QLineEdit* field = edits[i];
        connect(field, &QLineEdit::textChanged, this, [this, field] { cleanField(field); });
        connect(field, &QLineEdit::textEdited, this, [field, limit = Limits[i]] {
            // Shortening a long loaded field brings the limit back towards its own.
            field->setMaxLength(qMax(limit, int(field->text().size())));
        });
        field->installEventFilter(this);
    }
    for (QLineEdit* field : {Edit1, Edit2})
        connect(field, &QLineEdit::textEdited, this, [this] { modified_ = true; });
    for (QCheckBox* box : flags())
        box->installEventFilter(this);
    for (QPushButton* button : {Button2, Button3, Button4, Button5})
        button->installEventFilter(this);
}

QList<QLineEdit*> TFicheMsg::fields() const
{
    return {Edit1, Edit2, Edit3, Edit4, Edit5, Edit6, Edit7};
}

QList<QCheckBox*> TFicheMsg::flags() const
{
    return {CheckBox1, CheckBox2, CheckBox3, CheckBox4, CheckBox5};
}

// A TAB, CR or LF in a field would split its line in the file and shift every field after it:
// whatever puts one there (a paste), it becomes a blank.
void TFicheMsg::cleanField(QLineEdit* field)
{
    QString text = field->text();
    bool changed = false;
    for (QChar& c : text) {
        if (c == u'\t' || c == u'\r' || c == u'\n') {
            c = u' ';
            changed = true;
        }
    }
    if (!changed)
        return;
    const int cursor = field->cursorPosition();
    field->setText(text);
    field->setCursorPosition(cursor);
}

QString TFicheMsg::FichierMessages(const QString& setPath)
{
    const qsizetype dot = setPath.indexOf(u'.', setPath.lastIndexOf(u'/') + 1);
    return (dot < 0 ? setPath : setPath.left(dot)) + QStringLiteral(".oms");
}

bool TFicheMsg::Charge(const QString& setPath)
{
    QStringList lines;
    bool found = false;
    if (!ChargeFichierBureau(FichierMessages(setPath), lines, found,
                             QStringLiteral("Les messages n'ont pas été ouverts.")))
        return false;
    if (found) {
        Lignes = lines;
        Courant = int(Lignes.size()) - 1;
        modified_ = false;
    }
    return true;
}

bool TFicheMsg::Sauve(const QString& setPath)
{
    EcritFiche();
    if (!SauveFichierBureau(FichierMessages(setPath), Lignes,
                            QStringLiteral("Le fichier des messages n'a pas été modifié.")))
        return false;
    modified_ = false;
    return true;
}

void TFicheMsg::EcritFiche()
{
    if (Courant < 0 || Courant >= Lignes.size())
        return;
    QString line;
    for (const QLineEdit* field : fields())
        line += field->text() + u'\t';
    for (const QCheckBox* box : flags())
        line += box->isChecked() ? u'T' : u'F';
    Lignes[Courant] = line;
}

void TFicheMsg::LitFiche()
{
    const QList<QLineEdit*> edits = fields();
    for (int i = 0; i < FieldCount; ++i) {
        edits[i]->setMaxLength(Limits[i]);
        edits[i]->clear();
    }
    for (QCheckBox* box : flags())
        box->setChecked(false);
    Label8->clear();
    if (Courant >= 0 && Courant < Lignes.size()) {
        Label8->setText(QString::number(Courant + 1));
        // Each field ends at its TAB; a field whose TAB is missing stays empty and what is left
        // goes on to the next one. Past the seventh TAB come the flags.
        QString rest = Lignes[Courant];
        for (int i = 0; i < FieldCount; ++i) {
            const qsizetype tab = rest.indexOf(u'\t');
            if (tab < 0)
                continue;
            const QString text = i == 0 ? rest.left(tab) : WithoutLeadingBlanks(rest.left(tab));
            rest = rest.mid(tab + 1);
            edits[i]->setMaxLength(qMax(Limits[i], int(text.size())));
            edits[i]->setText(text);
        }
        const QList<QCheckBox*> boxes = flags();
        for (int k = 0; k < FlagCount; ++k)
            boxes[k]->setChecked(k < rest.size() && rest[k] == u'T');
    }
    Edit1->setFocus();
}

void TFicheMsg::TestModif(bool& modified) const
{
    modified = modified_;
}

void TFicheMsg::GetIni(int& left, int& top, QColor& color) const
{
    left = x();
    top = y();
    color = palette().color(QPalette::Window);
}

void TFicheMsg::SetIni(int left, int top, const QColor& color)
{
    move(left < 5 ? 212 : left, top < 90 ? 90 : top);
    QPalette p = palette();
    p.setColor(QPalette::Window, color);
    setPalette(p);
}

void TFicheMsg::Button1Click()
{
    accept();
}

void TFicheMsg::Button2Click()
{
    EcritFiche();
    if (!Lignes.isEmpty())
        Courant = qMax(0, Courant - 1);
    LitFiche();
}

void TFicheMsg::Button3Click()
{
    EcritFiche();
    Courant = qMin(Courant + 1, int(Lignes.size()) - 1);
    LitFiche();
}

void TFicheMsg::Button4Click()
{
    EcritFiche();
    Lignes.append(Blank);
    Courant = int(Lignes.size()) - 1;
    modified_ = true;
    LitFiche();
}

void TFicheMsg::Button5Click()
{
    // With no card left there is nothing to delete.
    if (Courant < 0 || Courant >= Lignes.size())
        return;
    EcritFiche();
    Lignes.removeAt(Courant);
    if (Courant > Lignes.size() - 1)
        Courant = int(Lignes.size()) - 1;
    modified_ = true;
    LitFiche();
}

void TFicheMsg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    platform::Guarded([this] { LitFiche(); });
}

bool TFicheMsg::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_PageUp || key == Qt::Key_PageDown) {
            platform::Guarded([&] { key == Qt::Key_PageUp ? Button2Click() : Button3Click(); });
            return true;
        }
    } else if (event->type() == QEvent::FocusOut) {
        // Leaving an empty date or time for another control of the card fills it with now; the
        // window losing the focus to another one is no leaving.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        const bool leaving = reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
        if (leaving && watched == Edit5 && Edit5->text().isEmpty())
            Edit5->setText(rtl::DateToStr(rtl::Date()));
        else if (leaving && watched == Edit6 && Edit6->text().isEmpty())
            Edit6->setText(rtl::TimeToStr(rtl::Time()));
    }
    return QDialog::eventFilter(watched, event);
}
