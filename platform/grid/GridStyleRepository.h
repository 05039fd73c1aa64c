#pragma once

#include <QObject>

class GridStyle;

// Owns the styles that views share.
class GridStyleRepository : public QObject
{
    Q_OBJECT

public:
    explicit GridStyleRepository(QObject *parent = nullptr);

    GridStyle *createStyle(const QString &name);
    GridStyle *style(const QString &name) const;
};
