// SPDX-FileCopyrightText: 2026 Varnoskel team
// SPDX-License-Identifier: GPL-3.0-or-later
//
// What a test's hook into the program returns: setting a hook hands back a
// guard that puts the previous hook back when it goes, so a hook can never
// outlive the test that set it, whichever way the test ends.
#pragma once

#include <functional>
#include <utility>

namespace support {

class [[nodiscard]] Restore {
 public:
  explicit Restore(std::function<void()> undo) : m_undo(std::move(undo)) {}
  Restore(Restore&& other) noexcept : m_undo(std::exchange(other.m_undo, nullptr)) {}
  Restore(const Restore&) = delete;
  Restore& operator=(const Restore&) = delete;
  Restore& operator=(Restore&&) = delete;
  ~Restore() {
    if (m_undo) m_undo();
  }

 private:
  std::function<void()> m_undo;
};

// Sets `slot` to `hook`; the guard sets it back.
template <class Function>
Restore exchangeHook(Function& slot, Function hook) {
  Function previous = std::exchange(slot, std::move(hook));
  return Restore([&slot, previous = std::move(previous)] { slot = previous; });
}

}  // namespace support
