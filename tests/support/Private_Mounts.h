#pragma once

#include <QString>
#include <functional>
#include <string>

namespace vo_test {

// Runs Body on a thread of its own inside a mount namespace made for it, every mount private:
// what Body mounts is seen only by that thread and the programs it starts, and goes with the
// thread, so a failing test leaves nothing mounted on the machine. Returns why the namespace could
// not be made (Body did not run), or an empty text.
std::string Run_In_Private_Mounts(const std::function<void()>& Body);

// Inside Run_In_Private_Mounts: a fresh tmpfs on Folder, with mount options such as "size=64k".
std::string Mount_Tmpfs(const QString& Folder, const std::string& Options);

// Inside Run_In_Private_Mounts: Path, a file or a folder with all below it, bound onto itself
// read-only.
std::string Bind_Read_Only(const QString& Path);

// Runs Body while Path, a file or a folder, refuses changes: by its permissions, or, where they
// do not stop this process (root), by a read-only bind mount made for Body alone. Returns why
// neither was possible (Body did not run), or an empty text.
std::string With_Read_Only(const QString& Path, const std::function<void()>& Body);

} // namespace vo_test
