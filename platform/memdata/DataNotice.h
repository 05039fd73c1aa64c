#pragma once

// What a table tells the data sources bound to it, and they tell their links.
enum class DataNotice { Active, DataSet, Scrolled, Record, State, UpdateRecord, Inserted, Removed, Updated };
