#pragma once

#include <QPushButton>

// A push button in the flat, softly graded look of the Office 2003 toolbars. It never becomes
// a dialog's default button on its own.
class OfficeButton : public QPushButton
{
    Q_OBJECT

public:
    explicit OfficeButton(QWidget *parent = nullptr);
    explicit OfficeButton(const QString &text, QWidget *parent = nullptr);
};
