#include "messagebox.h"

#include <QMessageBox>

namespace MessageBox {

namespace {

QMessageBox::Icon iconOf(int style)
{
    switch (style & 0x70) {
    case 16: return QMessageBox::Critical;
    case 32: return QMessageBox::Question;
    case 48: return QMessageBox::Warning;
    case 64: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
    }
}

bool isYesNo(int style) { return (style & 0x0F) == 4; }
bool noByDefault(int style) { return (style & 0x300) == 256; }

} // namespace

int show(QWidget *parent, const QString &message, int style, const QString &title)
{
    QMessageBox box(iconOf(style), title, message, QMessageBox::NoButton, parent);
    box.setObjectName(QStringLiteral("messageBox"));
    // Messages carry stored names and file names: never read as markup.
    box.setTextFormat(Qt::PlainText);
    if (!isYesNo(style)) {
        box.addButton(QMessageBox::Ok);
        box.exec();
        return Ok;
    }
    box.addButton(QMessageBox::Yes);
    box.addButton(QMessageBox::No);
    box.setDefaultButton(noByDefault(style) ? QMessageBox::No : QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes ? Yes : No;
}

} // namespace MessageBox
