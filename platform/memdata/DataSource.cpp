#include "DataSource.h"

#include "DataLink.h"
#include "MemTable.h"

#include <algorithm>

DataSource::DataSource(QObject *parent) : QObject(parent) {}

DataSource::~DataSource()
{
    setTable(nullptr);
    for (DataLink *link : m_links)
        link->m_source = nullptr;
}

void DataSource::setTable(MemTable *table)
{
    if (m_table == table)
        return;
    if (m_table)
        m_table->removeSource(this);
    m_table = table;
    if (m_table)
        m_table->addSource(this);
    notify(DataNotice::Active);
    notify(DataNotice::DataSet);
}

void DataSource::tableDestroyed()
{
    m_table = nullptr;
    notify(DataNotice::Active);
    notify(DataNotice::DataSet);
}

bool DataSource::edit()
{
    if (!m_table || !m_table->isActive())
        return false;
    if (m_table->state() == MemTable::State::Browse) {
        if (!m_autoEdit)
            return false;
        m_table->edit();
    }
    return m_table->state() == MemTable::State::Edit || m_table->state() == MemTable::State::Insert;
}

void DataSource::addLink(DataLink *link)
{
    m_links.push_back(link);
}

void DataSource::removeLink(DataLink *link)
{
    m_links.erase(std::remove(m_links.begin(), m_links.end(), link), m_links.end());
}

void DataSource::notify(DataNotice notice, const MemField *field, int position, unsigned id)
{
    const std::vector<DataLink *> links = m_links;
    for (DataLink *link : links) {
        if (std::find(m_links.begin(), m_links.end(), link) == m_links.end())
            continue;
        switch (notice) {
        case DataNotice::Active: link->activeChanged(); break;
        case DataNotice::DataSet: link->dataSetChanged(); break;
        case DataNotice::Scrolled: link->dataSetScrolled(); break;
        case DataNotice::Record: link->recordChanged(field); break;
        case DataNotice::State: link->stateChanged(); break;
        case DataNotice::UpdateRecord: link->updateRecord(); break;
        case DataNotice::Inserted: link->recordInserted(position); break;
        case DataNotice::Removed: link->recordRemoved(position, id); break;
        case DataNotice::Updated: link->recordUpdated(position); break;
        }
    }
}

// --- DataLink --------------------------------------------------------------------------------

DataLink::~DataLink()
{
    setDataSource(nullptr);
}

void DataLink::setDataSource(DataSource *source)
{
    if (m_source == source)
        return;
    if (m_source)
        m_source->removeLink(this);
    m_source = source;
    if (m_source)
        m_source->addLink(this);
    activeChanged();
    dataSetChanged();
}

MemTable *DataLink::table() const
{
    return m_source ? m_source->table() : nullptr;
}

bool DataLink::isActive() const
{
    const MemTable *t = table();
    return t && t->isActive();
}

bool DataLink::edit()
{
    return m_source && m_source->edit();
}
