#pragma once

#include <QWidget>

class QCheckBox;
class QLabel;
class QPushButton;
class QToolButton;

// The box below the records while the view has a filter: a button that removes the filter, a
// check box that switches it off and on, the filter's text and the button to the filter builder.
class GridFilterBox : public QWidget
{
    Q_OBJECT

public:
    explicit GridFilterBox(QWidget *parent = nullptr);

    // An empty text shows "<Filter is Empty>". Texts are read again on every call.
    void setFilter(const QString &text, bool enabled);

    QToolButton *removeButton() const { return m_remove; }
    QCheckBox *enabledCheckBox() const { return m_enabled; }
    QLabel *textLabel() const { return m_text; }
    QPushButton *customizeButton() const { return m_customize; }

Q_SIGNALS:
    void removeRequested();
    void enabledToggled(bool enabled);
    void customizeRequested();

private:
    QToolButton *m_remove;
    QCheckBox *m_enabled;
    QLabel *m_text;
    QPushButton *m_customize;
};
