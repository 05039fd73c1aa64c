#pragma once

#include "platform/memdata/DataSource.h"
#include "platform/memdata/MemField.h"
#include "platform/memdata/MemTable.h"

#include <QDateTime>

// A small open table with a data source, for binding controls to in tests.
struct TestTable
{
    MemTable table;
    DataSource source;
    MemField *name;
    MemField *status;
    MemField *when;
    MemField *note;

    TestTable()
    {
        table.setObjectName(QStringLiteral("T"));
        name = table.addField(QStringLiteral("Name"), FieldKind::Text, 10);
        status = table.addField(QStringLiteral("Status"), FieldKind::Text, 1);
        when = table.addField(QStringLiteral("When"), FieldKind::DateTime);
        note = table.addField(QStringLiteral("Note"), FieldKind::Text, 40);
        table.setRegionalSettings(RegionalSettings(QStringLiteral("dd/MM/yyyy"), QStringLiteral("HH:mm:ss")));
        table.open();
        source.setTable(&table);
    }

    void add(const QString &n, const QString &s, const QDateTime &w = QDateTime())
    {
        table.append();
        name->setAsString(n);
        status->setAsString(s);
        if (w.isValid())
            when->setAsDateTime(w);
        table.post();
    }
};
