#pragma once
#include <QString>
#include <QStringList>
#include <ostream>

// How a failing test prints Qt's strings: as their text in UTF-8, so that
// kana read as kana. Left to itself GoogleTest prints a QString's characters
// as two-byte objects, and escapes the kana of a std::string. GoogleTest finds
// these by argument-dependent lookup; every test file that compares Qt strings
// includes this header, so that all of them print a QString the same way.

// In quotes, with a backslash, a quote and a line break escaped as in C.
inline void PrintTo(const QString& text, std::ostream* out) {
  QString escaped = text;
  escaped.replace('\\', "\\\\").replace('"', "\\\"").replace('\n', "\\n");
  *out << '"' << escaped.toStdString() << '"';
}

// As its lines in one string, so that GoogleTest shows where two lists of
// lines differ line by line.
inline void PrintTo(const QStringList& lines, std::ostream* out) { PrintTo(lines.join('\n'), out); }
