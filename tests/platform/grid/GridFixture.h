#pragma once

#include "platform/memdata/DataSource.h"
#include "platform/memdata/DateTimeKey.h"
#include "platform/memdata/MemField.h"
#include "platform/memdata/MemTable.h"

#include <QStringList>

// A small table of calls for the grid tests: each record given as "name|prov|town|yyyy-MM-dd|contact".
struct GridFixture
{
    MemTable table;
    DataSource source;
    MemField *name;
    MemField *prov;
    MemField *town;
    MemField *when;
    MemField *contact;

    explicit GridFixture(const QStringList &records = {})
    {
        name = table.addField(QStringLiteral("Nome"), FieldKind::Text, 70);
        prov = table.addField(QStringLiteral("PR"), FieldKind::Text, 2);
        town = table.addField(QStringLiteral("Localita"), FieldKind::Text, 60);
        when = table.addField(QStringLiteral("Quando"), FieldKind::DateTime);
        contact = table.addField(QStringLiteral("Riferimento1"), FieldKind::Text, 25);
        table.open();
        for (const QString &r : records)
            add(r);
        source.setTable(&table);
        if (!table.isEmpty())
            table.first();
    }

    void set(const QString &record)
    {
        const QStringList parts = record.split(QLatin1Char('|'));
        name->setAsString(parts.value(0));
        prov->setAsString(parts.value(1));
        town->setAsString(parts.value(2));
        const QDate d = QDate::fromString(parts.value(3), Qt::ISODate);
        if (d.isValid())
            when->setAsDateTime(QDateTime(d, QTime(0, 0)));
        contact->setAsString(parts.value(4));
    }

    void add(const QString &record)
    {
        table.append();
        set(record);
        table.post();
    }

    MemField *fieldNamed(const QString &n) const { return table.fieldByName(n); }
    QString nameOf(quint32 id) const { return table.text(id, name); }
};
