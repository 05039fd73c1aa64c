#pragma once

#include <QObject>
#include <QString>

class DataSource;

// What every editor bound to a field of a data source offers: its source and the field's name.
class DataBoundEditor
{
public:
    virtual ~DataBoundEditor() = default;

    virtual void setDataSource(DataSource *source) = 0;
    virtual DataSource *dataSource() const = 0;
    virtual void setDataField(const QString &name) = 0;
    virtual QString dataField() const = 0;
};

Q_DECLARE_INTERFACE(DataBoundEditor, "org.callistro.DataBoundEditor")
