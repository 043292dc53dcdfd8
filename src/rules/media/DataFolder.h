#pragma once
#include <QString>

// The data folder "Deta" inside the program folder `programFolder`, joined
// with exactly one separator and ending in one: "/opt/kana/Deta/", and at
// the root "/Deta/". A data file's full path is this folder followed
// directly by the file's name.
QString DataFolderOf(const QString& programFolder);

// The data folder of this program, rebuilt on every call.
QString DataFolder();
