#include "gui/ipopup_menu.h"

#include <cstring>

IPopupMenuItem::IPopupMenuItem(const char* text, int32_t flags, IPopupMenu* submenu)
    : submenu_(submenu), flags_(flags) {
  text_.Set(text ? text : "");
}

IPopupMenu::~IPopupMenu() { items_.DeleteAll(); }

IPopupMenuItem* IPopupMenu::AddItem(IPopupMenuItem* item, int32_t index) {
  if (!item) return nullptr;
  IPopupMenuItem* added = index == -1 ? items_.Add(item) : items_.Insert(index, item);
  if (!added) delete item;
  return added;
}

IPopupMenuItem* IPopupMenu::AddItem(const char* text, int32_t index, int32_t flags) {
  return AddItem(new IPopupMenuItem(text, flags), index);
}

IPopupMenuItem* IPopupMenu::AddSeparator(int32_t index) {
  return AddItem(new IPopupMenuItem("", IPopupMenuItem::kSeparator), index);
}

bool IPopupMenu::FormatItemText(int32_t index, GrowString* out) const {
  const IPopupMenuItem* item = GetItem(index);
  if (!item || !out) return false;
  const char* format = nullptr;
  switch (prefix_) {
    case kPrefix1d: format = "%1d: %s"; break;
    case kPrefix02d: format = "%02d: %s"; break;
    case kPrefix03d: format = "%03d: %s"; break;
    default: return out->Set(item->GetText());
  }
  // The position and ": " add at most 13 characters to the item's text.
  int32_t capacity = 16 + static_cast<int32_t>(std::strlen(item->GetText()));
  out->SetFormatted(capacity, format, index + 1, item->GetText());
  return true;
}

IPopupMenu* FindMenuItem(IPopupMenu* menu, int32_t id, int32_t* index, int32_t* runningId) {
  if (!menu || !index || !runningId) return nullptr;
  int32_t start = *runningId, count = menu->GetItemCount();
  *runningId += count;
  if (id >= start && id < start + count) {
    *index = id - start;
    return menu;
  }
  for (int32_t i = 0; i < count; ++i) {
    IPopupMenu* sub = menu->GetItem(i)->GetSubmenu();
    if (!sub || menu->GetItem(i)->IsSeparator()) continue;
    if (IPopupMenu* found = FindMenuItem(sub, id, index, runningId)) return found;
  }
  return nullptr;
}
