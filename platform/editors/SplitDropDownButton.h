#pragma once

#include "OfficeButton.h"

class QMenu;

// A button whose right-most strip drops down a menu, below the button and centred on it. The
// face itself carries no command. A second press on the strip closes the menu again.
class SplitDropDownButton : public OfficeButton
{
    Q_OBJECT

public:
    explicit SplitDropDownButton(const QString &text, QWidget *parent = nullptr);

    void setDropDownMenu(QMenu *menu);
    QMenu *dropDownMenu() const { return m_menu; }
    QRect arrowStrip() const;
    void dropDown();

    static constexpr int ArrowStripWidth = 15;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    QMenu *m_menu = nullptr;
};
