#include "FilterBuilderDialog.h"

#include "platform/editors/MessageBoxes.h"
#include "platform/filter/FilterBuilder.h"
#include "platform/filter/FilterFile.h"
#include "platform/filter/FilterPredicate.h"
#include "platform/memdata/DataError.h"
#include "platform/texts/ComponentTexts.h"
#include "platform/texts/FilterControlTexts.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QPushButton *makeButton(QWidget *parent, const ComponentText &text, const char *name)
{
    auto *b = new QPushButton(ComponentTexts::text(text), parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}

} // namespace

FilterBuilderDialog::FilterBuilderDialog(const FilterValueSource &source, QWidget *parent)
    : QDialog(parent), m_source(source), m_builder(new FilterBuilder(source, this))
{
    setObjectName(QStringLiteral("FilterBuilderDialog"));
    resize(620, 360);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_builder, 1);
    auto *buttons = new QHBoxLayout;
    QPushButton *save = makeButton(this, FilterControlTexts::SaveAs, "saveAsButton");
    QPushButton *openButton = makeButton(this, FilterControlTexts::Open, "openButton");
    QPushButton *applyButton = makeButton(this, FilterControlTexts::Apply, "applyButton");
    QPushButton *ok = makeButton(this, FilterControlTexts::Ok, "okButton");
    QPushButton *cancel = makeButton(this, FilterControlTexts::Cancel, "cancelButton");
    ok->setDefault(true);
    buttons->addWidget(save);
    buttons->addWidget(openButton);
    buttons->addStretch();
    buttons->addWidget(applyButton);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    connect(save, &QPushButton::clicked, this, &FilterBuilderDialog::saveFileAs);
    connect(openButton, &QPushButton::clicked, this, &FilterBuilderDialog::openFile);
    connect(applyButton, &QPushButton::clicked, this, &FilterBuilderDialog::apply);
    connect(ok, &QPushButton::clicked, this, &FilterBuilderDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &FilterBuilderDialog::reject);
    updateCaption();
}

FilterCriteria FilterBuilderDialog::criteria() const
{
    return m_builder->criteria();
}

void FilterBuilderDialog::setCriteria(const FilterCriteria &criteria)
{
    m_builder->setCriteria(criteria);
}

void FilterBuilderDialog::setValueFormatter(const FilterValueFormatter &formatter)
{
    m_builder->setValueFormatter(formatter);
}

QString FilterBuilderDialog::displayFileName() const
{
    return m_filePath.isEmpty() ? ComponentTexts::text(FilterControlTexts::UntitledFileName)
                                : QFileInfo(m_filePath).fileName();
}

void FilterBuilderDialog::updateCaption()
{
    setWindowTitle(ComponentTexts::text(FilterControlTexts::FilterBuilderCaptionFormat)
                       .arg(ComponentTexts::text(FilterControlTexts::FilterBuilderCaption), displayFileName()));
}

bool FilterBuilderDialog::apply()
{
    const FilterCriteria c = criteria();
    try {
        (void)FilterPredicate::compile(c, m_source, m_options);
    } catch (const DataError &error) {
        MessageBoxes::showError(error.message(), this);
        return false;
    }
    emit applied(c);
    return true;
}

void FilterBuilderDialog::accept()
{
    if (apply())
        QDialog::accept();
}

QStringList FilterBuilderDialog::nameFilters(const QString &fileTypes)
{
    const QStringList parts = fileTypes.split(QLatin1Char('|'));
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        // A description that names its patterns already ("Filters ( *.flt )") says it once.
        const QString description = parts[i].trimmed();
        const bool named = description.endsWith(QLatin1Char(')')) && description.contains(QLatin1Char('('));
        filters << (named ? description : description + QStringLiteral(" (") + parts[i + 1] + QLatin1Char(')'));
    }
    return filters;
}

FilterFileRequest FilterBuilderDialog::fileRequest(FilterFileRequest::Mode mode) const
{
    FilterFileRequest r;
    r.mode = mode;
    r.title = ComponentTexts::text(mode == FilterFileRequest::Mode::Open ? FilterControlTexts::OpenDialogTitle
                                                                          : FilterControlTexts::SaveDialogTitle);
    r.nameFilter = nameFilters(ComponentTexts::text(FilterControlTexts::FileTypes)).join(QStringLiteral(";;"));
    r.defaultSuffix = ComponentTexts::text(FilterControlTexts::DefaultExtension);
    r.fileName = m_filePath.isEmpty() ? ComponentTexts::text(FilterControlTexts::UntitledFileName) : m_filePath;
    return r;
}

QString FilterBuilderDialog::showFileDialog(QWidget *parent, const FilterFileRequest &request)
{
    QFileDialog dialog(parent, request.title);
    const bool opening = request.mode == FilterFileRequest::Mode::Open;
    dialog.setAcceptMode(opening ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog.setFileMode(opening ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setNameFilter(request.nameFilter);
    dialog.setDefaultSuffix(request.defaultSuffix);
    dialog.selectFile(request.fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

QString FilterBuilderDialog::chooseFile(FilterFileRequest::Mode mode)
{
    const FilterFileRequest request = fileRequest(mode);
    return m_chooser ? m_chooser(this, request) : showFileDialog(this, request);
}

void FilterBuilderDialog::saveFileAs()
{
    const QString name = chooseFile(FilterFileRequest::Mode::Save);
    if (name.isEmpty())
        return;
    try {
        FilterFile::save(name, criteria(), m_source);
    } catch (const DataError &error) {
        MessageBoxes::showError(error.message(), this);
        return;
    }
    m_filePath = name;
    updateCaption();
}

void FilterBuilderDialog::openFile()
{
    const QString name = chooseFile(FilterFileRequest::Mode::Open);
    if (name.isEmpty())
        return;
    FilterCriteria loaded;
    try {
        loaded = FilterFile::load(name, m_source);
    } catch (const DataError &error) {
        MessageBoxes::showError(error.message(), this);
        return;
    }
    m_builder->setCriteria(loaded);
    m_filePath = name;
    updateCaption();
}
