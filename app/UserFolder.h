#pragma once

// The folder whose Samples/ holds the user's own files: the last problem of each kind, the notes and
// the classifier, the user's collection.

#include <string>

// The base folder when its Samples/ can be written (a development build, whose set-up makes it),
// else userDataFolder (an installed program, whose base folder is read-only), with Samples/ made in
// it. An empty userDataFolder keeps the base folder. Both folders end with "/".
std::string UserFolderFor(const std::string& baseFolder, const std::string& userDataFolder);
