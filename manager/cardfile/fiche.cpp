// The card-file window itself: its pages, creation, activation, layout and navigation keys, and
// two small text routines that the cards share.
#include "manager/cardfile/fiche.h"

#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTabBar>
#include <QTextEdit>
#include <algorithm>
#include "manager/shell/rset.h"
#include "platform/application.h"
#include "platform/widgets/stringgrid.h"
#include "wsocket/wsockets.h"

TFiche::TFiche(QWidget* parent) : QWidget(parent)
{
    Ui::Fiche::setupUi(this);
    Ui::FicheClients::setupUi(TabSheet1);
    Ui::FicheFactures::setupUi(TabSheet2);
    Ui::FicheArticles::setupUi(TabSheet3);
    Ui::FichePostes::setupUi(TabSheet4);
    Ui::FicheCaisse::setupUi(TabSheet5);

    // The program switches pages itself; the user never sees a tab.
    PageControl1->tabBar()->hide();
    // The cards were drawn for an 8-point sans-serif face; Liberation Sans stands in for "Arial"
    // here, and Rset measures with this font.
    QFont face(QStringLiteral("Arial"));
    face.setStyleHint(QFont::SansSerif);
    face.setPointSize(8);
    setFont(face);

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    PopupMenu1->addAction(Historique1);
    connect(ListView1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { PopupMenu1->popup(ListView1->viewport()->mapToGlobal(at)); });

    // The navigation keys work wherever the focus is on an input control of the five cards: edits,
    // check boxes, combo boxes, memos, date pickers and grids (with their cell editors), but not
    // the machine card's system combo, where the keys pick a system. Labels, buttons and panels
    // keep theirs.
    for (QWidget* page : {TabSheet1, TabSheet2, TabSheet3, TabSheet4, TabSheet5}) {
        for (QWidget* control : page->findChildren<QWidget*>()) {
            const bool input = qobject_cast<QLineEdit*>(control) || qobject_cast<QCheckBox*>(control) ||
                               qobject_cast<QComboBox*>(control) || qobject_cast<QAbstractSpinBox*>(control) ||
                               qobject_cast<QPlainTextEdit*>(control) || qobject_cast<QTextEdit*>(control) ||
                               qobject_cast<QAbstractItemView*>(control);
            if (input && control != ComboBox1 && !ComboBox1->isAncestorOf(control))
                BindKeys(control);
        }
        for (TStringGrid* grid : page->findChildren<TStringGrid*>())
            connect(grid, &TStringGrid::EditorCreated, this, &TFiche::BindKeys);
    }
    TabSheet2->installEventFilter(this);

    FormCreate();
    ConnectCards();
    ConnectPricing();
    ConnectServer();
}

TFiche::~TFiche()
{
    // The connections go first: none of their events may reach a window being taken apart.
    delete SrvSocket;
    SrvSocket = nullptr;
    FormDestroy();
}

void TFiche::BindKeys(QWidget* control)
{
    control->installEventFilter(this);
}

void TFiche::FormCreate()
{
    // The record lists exist with the window; the runtime layer always converts with ',' as the
    // decimal separator and dates as "dd/mm/yyyy".
    DoitSauver = false;
    ModifClient = false;
    OuvrirAuto = DemarrageAuto = 0;
    IndexClient = IndexArticle = IndexFacture = IndexPoste = IndexTicket = 0;
    NbClients = NbArticles = NbFactures = NbPostes = NbTickets = 0;
    ModifClient = ModifArticle = ModifFacture = ModifPoste = ModifTicket = false;
    TypePapier = OrientationEnveloppe = DecalageEnveloppe = 0;
    HeuresAbonnement = 5;
    FormatMontant = QStringLiteral("0.00");
    PortServeur = QString::number(PortParDefaut);
    FrancsParEuro = 6.55957;
    CodeTVADefaut = QStringLiteral("1");
    Occupation.fill('\0', 256);

    PageControl1->setCurrentWidget(TabSheet1);
    StringGrid1->resize(StringGrid1->width(), 126);

    for (TStringGrid* grid : {StringGrid1, StringGrid3, StringGrid4}) {
        grid->SetCells(0, 0, QStringLiteral("Date"));
        grid->SetCells(1, 0, QStringLiteral("Libellé"));
        grid->SetCells(2, 0, Rset(QStringLiteral("Montant"), 90));
    }
    const QStringList invoiceHeads{QStringLiteral("Réf"),           QStringLiteral("Désignation"),
                                   QStringLiteral("Quantité"),      QStringLiteral("Prix Unitaire"),
                                   QStringLiteral("R (%)"),         QStringLiteral("Montant H.T."),
                                   QStringLiteral("T")};
    for (int col = 0; col < invoiceHeads.size(); ++col)
        StringGrid2->SetCells(col, 0, invoiceHeads[col]);
    const QStringList ticketHeads{QStringLiteral("Désignation"), QStringLiteral("Qté"), QStringLiteral("P.U"),
                                  QStringLiteral("Montant")};
    for (int col = 0; col < ticketHeads.size(); ++col)
        StringGrid5->SetCells(col, 0, ticketHeads[col]);
}

void TFiche::FormDestroy()
{
    // Nothing is saved here: saving on exit belongs to the main window.
    for (RecordList* list : {&ListeClients, &ListeArticles, &ListeFactures, &ListePostes, &ListeTickets})
        list->Clear();
    ListeConnexions.clear();
}

// ---- activation ---------------------------------------------------------------------------------

bool TFiche::event(QEvent* e)
{
    if (e->type() == QEvent::ParentChange) {
        auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget());
        if (sub != subWindow_) {
            if (subWindow_)
                disconnect(subWindow_, nullptr, this, nullptr);
            subWindow_ = sub;
            activeChild_ = false;
            if (sub)
                connect(sub, &QMdiSubWindow::aboutToActivate, this, &TFiche::SubWindowActivating);
        }
    }
    return QWidget::event(e);
}

// The MDI area re-activates its active child whenever the frame comes back to the front (after a
// modal dialog, after another application): that is not the card file becoming active, and
// reloading the settings then would throw away what dialogs changed. Only another child taking
// over makes the next activation count.
void TFiche::SubWindowActivating()
{
    if (QMdiArea* area = subWindow_->mdiArea()) {
        connect(area, &QMdiArea::subWindowActivated, this, &TFiche::ChildActivated, Qt::UniqueConnection);
    }
    if (activeChild_)
        return;
    activeChild_ = true;
    platform::Guarded([this] { FormActivate(); });
}

void TFiche::ChildActivated(QMdiSubWindow* child)
{
    if (child && child != subWindow_)
        activeChild_ = false;
}

void TFiche::FormActivate()
{
    ++ActivationCount;
    ChargeSoc();
    ChargeIni();
    ChargeCombo();
    FormResize();
    Clients();
    StartServer();
}

// ---- layout -------------------------------------------------------------------------------------

void TFiche::resizeEvent(QResizeEvent* e)
{
    QWidget::resizeEvent(e);
    FormResize();
}

// Only the invoice page follows the window's size; the other cards have a fixed layout.
void TFiche::FormResize()
{
    const int W = width();
    const int H = height();
    Panel3->move(W - 314, Panel3->y());
    Panel4->resize(Panel4->width(), std::max(0, H - 190));
    Panel7->move(W - 400, Panel7->y());
    const int widths[] = {80, W - 528, 100, 120, 40, 120, 20};
    for (int col = 0; col < 7; ++col)
        StringGrid2->SetColWidths(col, std::max(0, widths[col]));
    Memo2->resize(std::max(0, W - 436), Memo2->height());
    AlignInvoiceLines();
}

// The invoice lines sit at the bottom of their page across its width, the totals and remarks under
// the grid.
void TFiche::AlignInvoiceLines()
{
    const int h = Panel4->height();
    Panel4->setGeometry(0, TabSheet2->height() - h, TabSheet2->width(), h);
    const int under = Panel7->height() + 6;
    StringGrid2->setGeometry(0, 0, Panel4->width(), std::max(0, h - under));
    Panel7->move(Panel7->x(), std::max(0, h - Panel7->height() - 2));
    Memo2->move(Memo2->x(), std::max(0, h - Memo2->height() - 2));
}

// ---- keys ---------------------------------------------------------------------------------------

bool TFiche::eventFilter(QObject* watched, QEvent* e)
{
    if (e->type() == QEvent::KeyPress) {
        auto* ke = static_cast<QKeyEvent*>(e);
        int key = ke->key();
        platform::Guarded([&] { FormKeyDown(key, ke->modifiers()); });
        if (key != ke->key())
            return true;
    } else if (e->type() == QEvent::Resize && watched == TabSheet2) {
        AlignInvoiceLines();
    }
    return QWidget::eventFilter(watched, e);
}

void TFiche::FormKeyDown(int& key, Qt::KeyboardModifiers shift)
{
    const auto held = shift & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    void (TFiche::*action)() = nullptr;
    switch (key) {
    case Qt::Key_PageDown:
        action = &TFiche::Suivant;
        break;
    case Qt::Key_PageUp:
        action = &TFiche::Precedent;
        break;
    case Qt::Key_Home:
        if (held == Qt::ControlModifier)
            action = &TFiche::Premier;
        break;
    case Qt::Key_End:
        if (held == Qt::ControlModifier)
            action = &TFiche::Dernier;
        break;
    case Qt::Key_F2:
        action = &TFiche::Liste;
        break;
    default:
        break;
    }
    if (!action)
        return;
    // Used up before the move runs: a move that stops on an error still keeps the key.
    key = Qt::Key_Clear;
    if (NavigationSpy)
        NavigationSpy(action);
    else
        (this->*action)();
}

// ---- pages and texts ----------------------------------------------------------------------------

void TFiche::Articles()
{
    PageControl1->setCurrentWidget(TabSheet3);
    LitArt();
    Edit48->setFocus();
}

QString TFiche::Rset(const QString& text, int width) const
{
    return ::Rset(QFontMetrics(font()), text, width);
}

QString ExtraitChamp(QString& s)
{
    const int tab = int(s.indexOf(QLatin1Char('\t')));
    if (tab < 0) {
        QString field = s;
        s = QString();
        return field;
    }
    QString field = s.left(tab);
    s = s.mid(tab + 1, 255);
    return field;
}
