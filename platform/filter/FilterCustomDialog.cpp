#include "FilterCustomDialog.h"

#include "platform/filter/FilterCriteria.h"
#include "platform/filter/FilterOperators.h"
#include "platform/filter/FilterPredicate.h"
#include "platform/filter/FilterValueSource.h"
#include "platform/memdata/DataError.h"
#include "platform/texts/ComponentTexts.h"
#include "platform/texts/FilterControlTexts.h"

#include <QComboBox>
#include <QDateTime>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

QString hint(QChar wildcard, const ComponentText &text)
{
    return ComponentTexts::text(FilterControlTexts::WildcardUse) + u' ' + wildcard + u' ' + ComponentTexts::text(text);
}

} // namespace

FilterCustomDialog::FilterCustomDialog(const FilterValueSource &source, int column, QWidget *parent)
    : QDialog(parent), m_source(source), m_column(column)
{
    setObjectName(QStringLiteral("FilterCustomDialog"));
    setWindowTitle(ComponentTexts::text(FilterControlTexts::CustomFilterCaption));
    // Only single-value operators fit a value box; ranges and lists are the builder's.
    for (FilterOperator op : FilterOperators::operatorsFor(source.kind(column))) {
        const int n = FilterOperators::valueCount(op);
        if (n == 0 || n == 1)
            m_operators << op;
    }

    auto *layout = new QVBoxLayout(this);
    auto *heading = new QLabel(ComponentTexts::text(FilterControlTexts::ShowRowsWhere), this);
    heading->setObjectName(QStringLiteral("headingLabel"));
    layout->addWidget(heading);
    auto *columnLabel = new QLabel(source.columnCaption(column), this);
    columnLabel->setObjectName(QStringLiteral("columnLabel"));
    QFont bold = columnLabel->font();
    bold.setBold(true);
    columnLabel->setFont(bold);
    layout->addWidget(columnLabel);

    auto *grid = new QGridLayout;
    buildLine(m_lines[0], 1);
    grid->addWidget(m_lines[0].op, 0, 0);
    grid->addWidget(m_lines[0].value, 0, 1);
    auto *joins = new QHBoxLayout;
    m_and = new QRadioButton(ComponentTexts::text(FilterControlTexts::CustomFilterAnd), this);
    m_and->setObjectName(QStringLiteral("andButton"));
    m_or = new QRadioButton(ComponentTexts::text(FilterControlTexts::CustomFilterOr), this);
    m_or->setObjectName(QStringLiteral("orButton"));
    m_and->setChecked(true);
    joins->addWidget(m_and);
    joins->addWidget(m_or);
    joins->addStretch();
    grid->addLayout(joins, 1, 0, 1, 2);
    buildLine(m_lines[1], 2);
    grid->addWidget(m_lines[1].op, 2, 0);
    grid->addWidget(m_lines[1].value, 2, 1);
    grid->setColumnStretch(1, 1);
    layout->addLayout(grid);

    m_invalid = new QLabel(this);
    m_invalid->setObjectName(QStringLiteral("invalidValueLabel"));
    QPalette red = m_invalid->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    m_invalid->setPalette(red);
    m_invalid->hide();
    layout->addWidget(m_invalid);

    auto *single = new QLabel(hint(u'_', FilterControlTexts::SingleCharacterHint), this);
    single->setObjectName(QStringLiteral("singleCharacterHint"));
    auto *series = new QLabel(hint(u'%', FilterControlTexts::AnySeriesHint), this);
    series->setObjectName(QStringLiteral("anySeriesHint"));
    layout->addWidget(single);
    layout->addWidget(series);

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *ok = buttons->addButton(ComponentTexts::text(FilterControlTexts::Ok), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("okButton"));
    ok->setDefault(true);
    QPushButton *cancel = buttons->addButton(ComponentTexts::text(FilterControlTexts::Cancel), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("cancelButton"));
    connect(buttons, &QDialogButtonBox::accepted, this, &FilterCustomDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &FilterCustomDialog::reject);
    layout->addWidget(buttons);

    setConditions({});
}

void FilterCustomDialog::buildLine(Line &line, int number)
{
    line.op = new QComboBox(this);
    line.op->setObjectName(QStringLiteral("operator%1").arg(number));
    line.op->addItem(QString());
    for (FilterOperator op : m_operators)
        line.op->addItem(FilterOperators::name(op), int(op));
    line.value = new QLineEdit(this);
    line.value->setObjectName(QStringLiteral("value%1").arg(number));
    line.value->setMinimumWidth(180);
    connect(line.value, &QLineEdit::textEdited, this, [this] {
        if (m_invalid)
            m_invalid->hide();
    });
    QComboBox *op = line.op;
    QLineEdit *edit = line.value;
    connect(op, &QComboBox::currentIndexChanged, this, [op, edit](int index) {
        const QVariant data = op->itemData(index);
        edit->setEnabled(data.isValid() && FilterOperators::valueCount(FilterOperator(data.toInt())) == 1);
    });
}

void FilterCustomDialog::loadLine(Line &line, const FilterCondition *condition)
{
    line.original = FilterValue();
    line.originalText.clear();
    if (!condition) {
        line.op->setCurrentIndex(0);
        line.value->clear();
        line.value->setEnabled(false);
        return;
    }
    const int index = line.op->findData(int(condition->filterOperator()));
    line.op->setCurrentIndex(std::max(index, 0));
    line.value->setEnabled(FilterOperators::valueCount(condition->filterOperator()) == 1);
    const FilterValue v = condition->value();
    QString text = v.displayText();
    if (text.isEmpty() && !v.isBlank())
        text = m_formatter ? m_formatter(m_column, v) : v.value().toString();
    line.original = v;
    line.originalText = text;
    line.value->setText(text);
}

void FilterCustomDialog::setConditions(const QList<FilterCondition> &conditions, FilterBoolOperator op)
{
    loadLine(m_lines[0], conditions.isEmpty() ? nullptr : &conditions[0]);
    loadLine(m_lines[1], conditions.size() < 2 ? nullptr : &conditions[1]);
    if (conditions.isEmpty()) {
        m_lines[0].op->setCurrentIndex(std::max(m_lines[0].op->findData(int(FilterOperator::Equal)), 0));
        m_lines[0].value->setEnabled(true);
    }
    (op == FilterBoolOperator::Or ? m_or : m_and)->setChecked(true);
    m_invalid->hide();
}

bool FilterCustomDialog::readLine(const Line &line, FilterCondition &out) const
{
    const QVariant data = line.op->currentData();
    if (!data.isValid())
        return false;
    const auto op = FilterOperator(data.toInt());
    QList<FilterValue> values;
    if (FilterOperators::valueCount(op) == 1) {
        const QString text = line.value->text();
        if (!line.originalText.isEmpty() && text == line.originalText)
            values << line.original;
        else if (text.isEmpty())
            values << FilterValue();
        else
            values << FilterValue(text, text);
    }
    out = FilterCondition(m_column, op, values);
    return true;
}

QList<FilterCondition> FilterCustomDialog::conditions() const
{
    QList<FilterCondition> result;
    for (const Line &line : m_lines) {
        FilterCondition c;
        if (readLine(line, c))
            result << c;
    }
    return result;
}

FilterBoolOperator FilterCustomDialog::boolOperator() const
{
    return m_or->isChecked() ? FilterBoolOperator::Or : FilterBoolOperator::And;
}

void FilterCustomDialog::showInvalid(const QString &message)
{
    m_invalid->setText(message);
    m_invalid->show();
}

void FilterCustomDialog::accept()
{
    FilterCriteria check;
    check.root().setBoolOperator(boolOperator());
    for (const FilterCondition &c : conditions())
        check.root().addCondition(c);
    try {
        (void)FilterPredicate::compile(check, m_source, m_options);
    } catch (const DataError &error) {
        showInvalid(error.message());
        return;
    }
    QDialog::accept();
}
