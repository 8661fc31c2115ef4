#include "platform/helpviewer.h"

#include <QFileInfo>
#include <QShortcut>
#include <QTextBrowser>
#include <QUrl>
#include "ui_helpviewer.h"

namespace help {

namespace {

const char* const kHelpOnHelp = R"(<html><head><title>Utiliser l'aide</title></head><body>
<h2>Utiliser l'aide</h2>
<p>La fenêtre d'aide affiche le document d'aide du programme. Elle reste ouverte pendant que
vous travaillez : vous pouvez passer de l'une à l'autre.</p>
<h3>Se déplacer</h3>
<ul>
<li>Faites défiler le texte avec la molette, les flèches ou les touches Page précédente et
Page suivante.</li>
<li>Cliquez sur un texte souligné pour aller au sujet qu'il désigne.</li>
<li>Le bouton <b>Sommaire</b> ramène au début du document.</li>
</ul>
<h3>Rechercher</h3>
<ul>
<li>Tapez un mot dans le champ <b>Rechercher</b> puis appuyez sur Entrée : le premier endroit
où il apparaît est sélectionné.</li>
<li>Appuyez de nouveau sur Entrée pour aller à l'endroit suivant ; après le dernier, la
recherche reprend au début.</li>
<li>Les majuscules et les minuscules ne sont pas distinguées.</li>
</ul>
<h3>Fermer</h3>
<p>Appuyez sur Échap ou fermez la fenêtre.</p>
</body></html>)";

}  // namespace

HelpViewer::HelpViewer(QWidget* parent) : QWidget(parent, Qt::Window), ui_(std::make_unique<Ui::HelpViewer>())
{
    ui_->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    connect(ui_->searchEdit, &QLineEdit::returnPressed, this, &HelpViewer::findNext);
    connect(ui_->searchEdit, &QLineEdit::textEdited, this, [this] { ui_->status->clear(); });
    connect(ui_->contentsButton, &QPushButton::clicked, this, &HelpViewer::showContents);
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this, &QWidget::close);
}

HelpViewer::~HelpViewer() = default;

void HelpViewer::open(Request request, const QString& file, const QString& key)
{
    file_ = file;
    ui_->status->clear();
    ui_->contentsButton->setEnabled(!file.isEmpty());
    if (request == HelpHelpOnHelp) {
        ui_->browser->setHtml(QString::fromUtf8(kHelpOnHelp));
    } else {
        ui_->browser->setSearchPaths({QFileInfo(file).absolutePath()});
        ui_->browser->setSource(QUrl::fromLocalFile(file), QTextDocument::HtmlResource);
    }
    const QString title = ui_->browser->documentTitle();
    setWindowTitle(title.isEmpty() ? QStringLiteral("Aide") : title);
    show();
    raise();
    activateWindow();
    if (request == HelpPartialKey) {
        ui_->searchEdit->setText(key);
        ui_->searchEdit->selectAll();
        ui_->searchEdit->setFocus();
        if (!key.isEmpty())
            findNext();
    } else {
        ui_->browser->setFocus();
    }
}

bool HelpViewer::findNext()
{
    const QString text = ui_->searchEdit->text();
    if (text.isEmpty())
        return false;
    bool found = ui_->browser->find(text);
    if (!found) {
        QTextCursor top = ui_->browser->textCursor();
        top.movePosition(QTextCursor::Start);
        ui_->browser->setTextCursor(top);
        found = ui_->browser->find(text);
    }
    ui_->status->setText(found ? QString() : QStringLiteral("« %1 » est introuvable.").arg(text));
    return found;
}

void HelpViewer::showContents()
{
    if (!file_.isEmpty())
        open(HelpContents, file_, {});
}

}  // namespace help
