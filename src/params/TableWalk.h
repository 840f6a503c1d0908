#pragma once

#include "params/ParameterTable.h"

// Visits every row of the table: suspends the views, remembers the current
// row and starts at the first one; on leaving the scope, also by an
// exception, it returns to the remembered row and resumes the views.
//
//     for (TableWalk walk(table); !table.eof(); table.next()) { ... }
class TableWalk
{
public:
    explicit TableWalk(ParameterTable &table) : m_table(table), m_saved(table.recNo())
    {
        m_table.disableControls();
        m_table.first();
    }
    ~TableWalk()
    {
        m_table.setRecNo(m_saved);
        m_table.enableControls();
    }

    TableWalk(const TableWalk &) = delete;
    TableWalk &operator=(const TableWalk &) = delete;

private:
    ParameterTable &m_table;
    int m_saved;
};
