#pragma once
// The window that shows the help document: a browser with a search field. One window serves
// every request; it is not modal.
#include <QWidget>
#include <memory>
#include "platform/help.h"

namespace Ui {
class HelpViewer;
}

namespace help {

class HelpViewer : public QWidget {
    Q_OBJECT
public:
    explicit HelpViewer(QWidget* parent = nullptr);
    ~HelpViewer() override;

    // Shows the request on the document at `file` (already known to be readable).
    void open(Request request, const QString& file, const QString& key);
    // Finds the next occurrence of the search text, from the top again after the last one.
    bool findNext();

private:
    void showContents();
    std::unique_ptr<Ui::HelpViewer> ui_;
    QString file_;
};

}  // namespace help
