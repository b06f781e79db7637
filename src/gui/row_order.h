// A list's rows in the control's order, kept in step with the insertions and deletions made in the
// control, so that a long list is read without asking the control per row. A run of insertions at
// rising places, or of deletions at falling places (a list brought up to date from the top, or
// emptied from the bottom), waits and is brought in at once, in one pass over the rows, when the
// order is next read: a refresh costs time linear in the rows, however many came or went. Pure: the
// list view tells it what the control did.
#pragma once

#include <cstddef>
#include <utility>
#include <vector>

namespace k32::gui {

template <typename Row>
class RowOrder {
 public:
  [[nodiscard]] bool Known() const { return known_; }
  // Unknown until the next Assign.
  void Forget() {
    known_ = false;
    rows_.clear();
    run_.clear();
  }
  void Assign(std::vector<Row*> rows) {
    rows_ = std::move(rows);
    run_.clear();
    known_ = true;
  }
  // The rows there are, those of the waiting run counted in (0 while unknown).
  [[nodiscard]] std::size_t Count() const {
    if (!known_) return 0;
    return inserting_ ? rows_.size() + run_.size() : rows_.size() - run_.size();
  }

  // The control put the row in at place at.
  void Inserted(std::size_t at, Row* row) {
    if (!known_) return;
    if (at > Count()) return Forget();
    if (!run_.empty() && (!inserting_ || at <= run_.back().at)) Settle();
    inserting_ = true;
    run_.push_back({at, row});
  }
  // The control took out the row at place at.
  void Deleted(std::size_t at) {
    if (!known_) return;
    if (at >= Count()) return Forget();
    if (!run_.empty() && (inserting_ || at >= run_.back().at)) Settle();
    inserting_ = false;
    run_.push_back({at, nullptr});
  }

  // The row at place index (nullptr past the end, or while unknown). Places above the waiting run
  // are read as they are: a list emptied from the bottom reads its rows without settling each time.
  [[nodiscard]] Row* At(std::size_t index) {
    if (!run_.empty() && index >= (inserting_ ? run_.front().at : run_.back().at)) Settle();
    return index < rows_.size() ? rows_[index] : nullptr;
  }

 private:
  struct Edit {
    std::size_t at;
    Row* row;
  };

  // Brings the waiting run in, in one pass. Rising insertions each stand where they were put in, as
  // none came above them later; falling deletions each name a place in the order before the run.
  void Settle() {
    if (inserting_) {
      std::vector<Row*> rows;
      rows.reserve(rows_.size() + run_.size());
      auto kept = rows_.begin();
      for (const Edit& edit : run_) {
        while (rows.size() < edit.at) rows.push_back(*kept++);
        rows.push_back(edit.row);
      }
      rows.insert(rows.end(), kept, rows_.end());
      rows_ = std::move(rows);
    } else {
      std::size_t out = 0;
      auto gone = run_.rbegin();  // rising places
      for (std::size_t i = 0; i < rows_.size(); ++i) {
        if (gone != run_.rend() && gone->at == i) {
          ++gone;
          continue;
        }
        rows_[out++] = rows_[i];
      }
      rows_.resize(out);
    }
    run_.clear();
  }

  std::vector<Row*> rows_;
  std::vector<Edit> run_;  // rising insertions or falling deletions, not yet in rows_
  bool inserting_ = false;
  bool known_ = false;
};

}  // namespace k32::gui
