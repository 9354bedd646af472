// One column of a data-entry table: its header lines and flags, and one
// value per row. The table drives insertion and deletion so that all
// columns keep the same rows; each kind stores and checks its own values.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "number_text.h"

namespace kestra {

class TGridTable;

// Also the type numbers of the column definition stream.
enum class ColumnKind {
  kChoice = 0,
  kInteger = 1,
  kFloat = 2,
  kFlex = 3,
  kText = 4
};

class TColumn {
 public:
  explicit TColumn(std::vector<std::string> header)
      : header_(std::move(header)) {}
  virtual ~TColumn() = default;

  virtual ColumnKind Kind() const = 0;

  const std::vector<std::string>& Header() const { return header_; }
  void SetHeader(std::vector<std::string> header) {
    header_ = std::move(header);
  }
  bool Visible() const { return visible_; }
  void SetVisible(bool visible) { visible_ = visible; }
  // A value set in one row is set in every row of that row's block.
  bool Grouped() const { return grouped_; }
  void SetGrouped(bool grouped) { grouped_ = grouped; }

  // Header line `line` as shown in unit system `units`; empty beyond the
  // column's lines.
  virtual std::string HeaderLine(size_t line, int units) const;

  // The column's definition without its data.
  virtual std::unique_ptr<TColumn> CloneDefinition() const = 0;

  // Row storage. Rows are 0-based and in range; the table checks.
  virtual int Size() const = 0;
  virtual void InsertDefaults(int at, int count) = 0;
  virtual void Erase(int at, int count) = 0;
  virtual void CopyValue(int from, int to) = 0;

  // The text form shown in a grid cell.
  virtual std::string Text(int row) const = 0;
  // Evaluates and stores typed text, or throws EAssignError and leaves the
  // cell unchanged. Some checks apply only while an editing window is open.
  virtual void SetText(int row, std::string_view text, bool editor_open) = 0;

  // Typed access; nullopt or false when the column holds another kind.
  virtual std::optional<Extended> Float(int) const { return std::nullopt; }
  virtual bool SetFloat(int, Extended) { return false; }
  virtual std::optional<int> Integer(int) const { return std::nullopt; }
  virtual bool SetInteger(int, int) { return false; }
  virtual TGridTable* SubTable(int) const { return nullptr; }

  // Multiplies stored values on a change of unit system.
  virtual void ConvertUnits(int /*old_units*/, int /*new_units*/) {}

 protected:
  TColumn(const TColumn&) = default;
  TColumn& operator=(const TColumn&) = delete;

  // EvaluateEntry with the cell messages: "Entry cannot be blank." or
  // "<text> is not a valid number.".
  static Extended EvaluateCellText(std::string_view text);

 private:
  std::vector<std::string> header_;
  bool visible_ = true;
  bool grouped_ = false;
};

// Storage shared by the columns that hold one plain value per row.
template <typename T>
class TValueColumn : public TColumn {
 public:
  TValueColumn(std::vector<std::string> header, T default_value)
      : TColumn(std::move(header)), default_(std::move(default_value)) {}

  const T& Default() const { return default_; }
  void SetDefault(T value) { default_ = std::move(value); }

  int Size() const override { return static_cast<int>(values_.size()); }
  void InsertDefaults(int at, int count) override {
    values_.insert(values_.begin() + at, static_cast<size_t>(count), default_);
  }
  void Erase(int at, int count) override {
    values_.erase(values_.begin() + at, values_.begin() + at + count);
  }
  void CopyValue(int from, int to) override {
    values_[static_cast<size_t>(to)] = values_[static_cast<size_t>(from)];
  }

 protected:
  TValueColumn(const TValueColumn& other)
      : TColumn(other), default_(other.default_) {}  // definition only

  const T& Value(int row) const { return values_[static_cast<size_t>(row)]; }
  void Store(int row, T value) {
    values_[static_cast<size_t>(row)] = std::move(value);
  }
  std::vector<T>& Values() { return values_; }

 private:
  T default_;
  std::vector<T> values_;
};

}  // namespace kestra
