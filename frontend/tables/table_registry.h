// Identifiers by which flex columns find their template tables. Each kind
// of table (data-entry, chart) has its own registry, owned by whoever owns
// the tables, so identifiers are unique per kind and there is no global
// state.
#pragma once

#include <vector>

namespace kestra {

class TGridTable;

class TableRegistry {
 public:
  TableRegistry() = default;
  TableRegistry(const TableRegistry&) = delete;
  TableRegistry& operator=(const TableRegistry&) = delete;

  // Returns the table's provisional identifier. Provisional identifiers
  // are negative, so they never shadow an identifier given by design.
  int Register(TGridTable* table);
  void Unregister(TGridTable* table);

  int IdentifierOf(const TGridTable* table) const;
  // Another table that holds `identifier` takes `table`'s previous one.
  void SetIdentifier(TGridTable* table, int identifier);
  // The first registered table with `identifier`, or nullptr.
  TGridTable* Find(int identifier) const;

 private:
  struct Entry {
    TGridTable* table;
    int identifier;
  };
  std::vector<Entry> entries_;
  int next_provisional_ = -1;
};

}  // namespace kestra
