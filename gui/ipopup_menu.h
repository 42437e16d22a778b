// IPopupMenu: a menu the editor shows to let the user choose one item, and IPopupMenuItem, one
// entry of it (a command, a separator or a submenu). A menu owns its items; submenus are not
// owned. Items are numbered for the window system block by block: a menu's own items first,
// then each submenu's block in the order of the submenu entries. [UI thread; adding allocates]
#pragma once

#include <cstdint>

#include "core/grow_string.h"
#include "core/ptr_array.h"

class IPopupMenu;

class IPopupMenuItem {
 public:
  // Flags: bits 0 and 1 grey and disable the item, 4 shows a check mark, 8 makes a separator.
  enum Flags : int32_t { kNoFlags = 0, kGrayed = 1, kDisabled = 2, kChecked = 4, kSeparator = 8 };

  explicit IPopupMenuItem(const char* text, int32_t flags = kNoFlags, IPopupMenu* submenu = nullptr);
  IPopupMenuItem(const IPopupMenuItem&) = delete;
  IPopupMenuItem& operator=(const IPopupMenuItem&) = delete;

  const char* GetText() const { return text_.Get(); }
  bool HasText() const { return text_.GetLength() > 0; }
  IPopupMenu* GetSubmenu() const { return submenu_; }
  int32_t GetFlags() const { return flags_; }
  bool IsSeparator() const { return (flags_ & kSeparator) != 0; }
  bool IsChecked() const { return (flags_ & kChecked) != 0; }

 private:
  GrowString text_;
  IPopupMenu* submenu_;
  int32_t flags_;
};

class IPopupMenu {
 public:
  // Prefix formats: each item's text shown after its 1-based position.
  enum Prefix : int32_t { kPrefixNone = 0, kPrefix1d = 1, kPrefix02d = 2, kPrefix03d = 3 };

  explicit IPopupMenu(int32_t prefix = kPrefixNone) : prefix_(prefix) {}
  // Frees the items from the last to the first.
  ~IPopupMenu();
  IPopupMenu(const IPopupMenu&) = delete;
  IPopupMenu& operator=(const IPopupMenu&) = delete;

  // Appends the item (index -1) or inserts it at index clamped to the list, taking ownership;
  // returns it, or null (and frees it) when the list cannot grow.
  IPopupMenuItem* AddItem(IPopupMenuItem* item, int32_t index = -1);
  IPopupMenuItem* AddItem(const char* text, int32_t index = -1, int32_t flags = IPopupMenuItem::kNoFlags);
  IPopupMenuItem* AddSeparator(int32_t index = -1);
  // Null outside the list.
  IPopupMenuItem* GetItem(int32_t index) const { return items_.Get(index); }
  int32_t GetItemCount() const { return items_.GetSize(); }

  int32_t GetPrefix() const { return prefix_; }
  // The position of the item chosen in this menu, -1 until one is.
  int32_t GetChosenItemIdx() const { return chosenIdx_; }
  void SetChosenItemIdx(int32_t index) { chosenIdx_ = index; }

  // The text the window shows for item index: its text ("" when it has none), after the prefix
  // format with its 1-based position when the menu has one. False outside the list or when the
  // text cannot grow.
  bool FormatItemText(int32_t index, GrowString* out) const;

 private:
  int32_t prefix_;
  int32_t chosenIdx_ = -1;
  PtrArray<IPopupMenuItem> items_;
};

// The menu holding command identifier id, numbered from *runningId as the window numbers them
// (advancing *runningId past every block it walks), and the item's position in it; null when
// no item has that identifier.
IPopupMenu* FindMenuItem(IPopupMenu* menu, int32_t id, int32_t* index, int32_t* runningId);
