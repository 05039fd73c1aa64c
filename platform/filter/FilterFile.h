#pragma once

#include <QByteArray>
#include <QString>

class FilterCriteria;
class FilterValueSource;

// Filter files (".flt"): the criteria as JSON, columns named by the source's column names.
//
//   {"format": "Callistro filter", "version": 1,
//    "root": {"operator": "and", "items": [
//        {"column": "Nome", "operator": "like", "values": [{"text": "%ro%"}]},
//        {"operator": "or", "items": [...]}]}}
//
// A value is {"text": ...}, {"integer": ...}, {"date": "yyyy-MM-dd"},
// {"dateTime": "yyyy-MM-ddTHH:mm:ss.zzz"} or {"blank": true}, with an optional "display".
// Reading checks everything before it returns, so a refused file changes nothing; errors are
// DataError with the file name in the message.
class FilterFile
{
public:
    static QByteArray toJson(const FilterCriteria &criteria, const FilterValueSource &source);
    // fileName only names the file in error messages.
    static FilterCriteria fromJson(const QByteArray &json, const FilterValueSource &source,
                                   const QString &fileName = QString());

    // Written whole or not at all.
    static void save(const QString &fileName, const FilterCriteria &criteria, const FilterValueSource &source);
    static FilterCriteria load(const QString &fileName, const FilterValueSource &source);
    // Replaces criteria only when the whole file could be read.
    static void open(const QString &fileName, const FilterValueSource &source, FilterCriteria &criteria);
};
