#pragma once

#include "platform/filter/FilterCompileOptions.h"
#include "platform/filter/FilterCriteria.h"
#include "platform/filter/FilterFileChooser.h"
#include "platform/filter/FilterText.h"

#include <QDialog>

class FilterBuilder;
class FilterValueSource;
class QPushButton;

// The filter builder dialog: the tree editor, and buttons to save the filter to a file, open one,
// apply it, and OK and Cancel. Apply and OK check the filter against the columns first; a filter
// that does not fit is reported and not applied. A file that cannot be read leaves the edited
// filter as it was.
class FilterBuilderDialog : public QDialog
{
    Q_OBJECT

public:
    explicit FilterBuilderDialog(const FilterValueSource &source, QWidget *parent = nullptr);

    FilterBuilder *builder() const { return m_builder; }
    FilterCriteria criteria() const;
    void setCriteria(const FilterCriteria &criteria);
    void setCompileOptions(const FilterCompileOptions &options) { m_options = options; }
    void setValueFormatter(const FilterValueFormatter &formatter);
    // Replaces the file dialogs; an empty chooser brings them back.
    void setFileChooser(FilterFileChooser chooser) { m_chooser = std::move(chooser); }

    // The file last opened or saved, empty for a new filter.
    QString filePath() const { return m_filePath; }
    // The name in the caption: the file's name, or "untitled.flt".
    QString displayFileName() const;

    // "description|pattern|..." as a Qt name filter list: "description (pattern)".
    static QStringList nameFilters(const QString &fileTypes);
    FilterFileRequest fileRequest(FilterFileRequest::Mode mode) const;

    bool apply();
    void saveFileAs();
    void openFile();
    void accept() override;

Q_SIGNALS:
    // Apply or OK with a filter that compiles.
    void applied(const FilterCriteria &criteria);

private:
    void updateCaption();
    QString chooseFile(FilterFileRequest::Mode mode);
    static QString showFileDialog(QWidget *parent, const FilterFileRequest &request);

    const FilterValueSource &m_source;
    FilterBuilder *m_builder;
    FilterCompileOptions m_options;
    FilterFileChooser m_chooser;
    QString m_filePath;
};
