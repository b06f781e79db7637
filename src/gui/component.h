// Non-visual parts of a window (image lists, the tray icon) that may refer to one another: a part
// that keeps a pointer to another asks to be told when that one goes, and forgets it then.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

namespace k32::gui {

enum class TOperation { opInsert, opRemove };

class TComponent {
 public:
  TComponent() = default;
  virtual ~TComponent() {
    // Each one told forgets this before it hears of it, so it may drop its own links freely.
    while (!notified_.empty()) {
      TComponent* other = notified_.back();
      notified_.pop_back();
      other->Forget(this);
      other->Notification(this, TOperation::opRemove);
    }
  }
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  std::string Name;

  // Both are told when either goes.
  void FreeNotification(TComponent* other) {
    if (!other || other == this) return;
    Remember(other);
    other->Remember(this);
  }
  void RemoveFreeNotification(TComponent* other) {
    if (!other) return;
    Forget(other);
    other->Forget(this);
  }

 protected:
  virtual void Notification(TComponent*, TOperation) {}

 private:
  void Remember(TComponent* other) {
    if (std::find(notified_.begin(), notified_.end(), other) == notified_.end()) notified_.push_back(other);
  }
  void Forget(TComponent* other) {
    notified_.erase(std::remove(notified_.begin(), notified_.end(), other), notified_.end());
  }

  std::vector<TComponent*> notified_;
};

}  // namespace k32::gui
