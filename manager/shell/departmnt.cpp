#include "manager/shell/departmnt.h"

#include <QKeyEvent>

TDepartmnt::TDepartmnt(QWidget* owner) : QDialog(owner)
{
    setupUi(this);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
    ListBox1->installEventFilter(this);
    installEventFilter(this);   // Enter that a button or the window itself leaves
}

bool TDepartmnt::eventFilter(QObject* watched, QEvent* event)
{
    // Enter closes the window as Esc does: it only looks things up.
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            accept();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
