#include "OfficeButton.h"

OfficeButton::OfficeButton(QWidget *parent) : OfficeButton(QString(), parent) {}

OfficeButton::OfficeButton(const QString &text, QWidget *parent) : QPushButton(text, parent)
{
    setAutoDefault(false);
    setDefault(false);
    setStyleSheet(QStringLiteral(
        "OfficeButton { border: 1px solid rgb(0, 45, 150); border-radius: 2px; color: black;"
        " background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 rgb(255, 255, 255), stop:1 rgb(196, 218, 250)); }"
        "OfficeButton:hover { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 rgb(255, 244, 204), stop:1 rgb(255, 208, 145)); }"
        "OfficeButton:pressed { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 rgb(254, 145, 78), stop:1 rgb(255, 211, 142)); }"
        "OfficeButton:focus { border: 1px solid rgb(0, 0, 128); }"
        "OfficeButton:disabled { color: rgb(141, 141, 141); border-color: rgb(170, 170, 170); }"));
}
