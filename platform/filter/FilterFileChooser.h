#pragma once

#include <QString>

#include <functional>

class QWidget;

// Asks for the name of a filter file. The builder dialog shows a real file dialog unless it was
// given another chooser (tests give one that answers at once). An empty name means cancelled.
struct FilterFileRequest
{
    enum class Mode { Open, Save };

    Mode mode = Mode::Open;
    QString title;
    QString nameFilter;     // Qt form: "description (pattern)"
    QString defaultSuffix;
    QString fileName;       // the current file, where the dialog starts
};

using FilterFileChooser = std::function<QString(QWidget *parent, const FilterFileRequest &request)>;
