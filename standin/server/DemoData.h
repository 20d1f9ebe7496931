#pragma once

class TSqliteDb;

// The demo data of a fresh data folder (README lists the users and their passwords), and extra customers
// for benchmarks.
namespace DemoData {

void Create(TSqliteDb& ADb);
// Adds ACount customers to the demo partner organisation.
void AddCustomers(TSqliteDb& ADb, int ACount);

} // namespace DemoData
