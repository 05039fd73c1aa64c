#include "GridFilterBox.h"

#include "platform/texts/ComponentTexts.h"
#include "platform/texts/GridTexts.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>

GridFilterBox::GridFilterBox(QWidget *parent)
    : QWidget(parent), m_remove(new QToolButton(this)), m_enabled(new QCheckBox(this)), m_text(new QLabel(this)),
      m_customize(new QPushButton(this))
{
    setObjectName(QStringLiteral("filterBox"));
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Button);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 2, 4, 2);
    m_remove->setObjectName(QStringLiteral("filterRemoveButton"));
    m_remove->setText(QStringLiteral("X"));
    m_remove->setAutoRaise(true);
    m_enabled->setObjectName(QStringLiteral("filterEnabledCheckBox"));
    m_text->setObjectName(QStringLiteral("filterTextLabel"));
    m_text->setTextFormat(Qt::PlainText);
    m_customize->setObjectName(QStringLiteral("filterCustomizeButton"));
    m_customize->setFocusPolicy(Qt::NoFocus);
    layout->addWidget(m_remove);
    layout->addWidget(m_enabled);
    layout->addWidget(m_text, 1);
    layout->addWidget(m_customize);
    connect(m_remove, &QToolButton::clicked, this, &GridFilterBox::removeRequested);
    connect(m_enabled, &QCheckBox::clicked, this, &GridFilterBox::enabledToggled);
    connect(m_customize, &QPushButton::clicked, this, &GridFilterBox::customizeRequested);
    setFilter(QString(), true);
}

void GridFilterBox::setFilter(const QString &text, bool enabled)
{
    m_enabled->setChecked(enabled);
    m_text->setText(text.isEmpty() ? ComponentTexts::text(GridTexts::FilterIsEmpty) : text);
    m_text->setEnabled(enabled);
    m_customize->setText(ComponentTexts::text(GridTexts::FilterCustomize));
}
