#pragma once
// Temporary files that a killed run left behind.

#include <functional>
#include <string>
#include <string_view>

/// Removes the regular files in folder (empty: the current folder) whose names
/// isLeftOver accepts and that were last changed an hour ago or earlier, so
/// that no run still writing one loses it. Links and other kinds of file are
/// left alone, and a file or folder that cannot be read or removed is skipped.
void RemoveStaleFiles(const std::string& folder,
                      const std::function<bool(std::string_view name)>& isLeftOver);
