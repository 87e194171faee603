#pragma once

// The user's own examples of a group, kept beside the built-in ones in the base folder's "Samples/"
// folder as "User<group>.txt", in the samples' format: the problem in the editor's form, ";", the
// category code, "&", the note, CR LF. They are listed after the built-in samples, filtered by their
// codes like them, and the user can delete them.

#include "app/SampleList.h"

#include <string>
#include <vector>

// The path of a group's collection under the base folder.
std::string UserCollectionFile(const std::string& baseFolder, int group);

// The examples of the file; none when it is missing or unreadable.
std::vector<SampleEntry> ReadUserCollection(const std::string& path);

// Writes the examples in one step (the old file is replaced only when the new one is complete); false
// when it could not be written. Codes and notes lose the characters that end their fields.
bool WriteUserCollection(const std::string& path, const std::vector<SampleEntry>& samples);
