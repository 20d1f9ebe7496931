#pragma once

#include <QString>

class TSqliteDb;

// The demo data of a fresh data folder (README lists the users and their passwords), and extra customers
// for benchmarks.
namespace DemoData {

void Create(TSqliteDb& ADb);
// The news pages of the demo software below the download area AFolder: News/<shortcode>/HTML/<page>.html.
void CreateNews(const QString& AFolder);
// Adds ACount customers to the demo partner organisation.
void AddCustomers(TSqliteDb& ADb, int ACount);

} // namespace DemoData
