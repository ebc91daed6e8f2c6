// Where the sample store lives when no other is named: SampleStore.sqlite in
// the data folder's Database folder. The common data folder is every user's
// of the machine, and so is the sample store in it.
#pragma once

#include <QString>

namespace server {

enum class SampleStoreFile { Made, LeftAlone };

// The sample store's path. Makes the data folder and its Database folder
// when missing, open to every user as the data folder itself is, and (when
// told to) the store file, which every user may then read and write (SQLite
// gives its -wal and -shm files the store file's permissions). Throws
// std::runtime_error when a folder cannot be made.
QString sampleStorePath(SampleStoreFile file = SampleStoreFile::Made);

} // namespace server
