// CToolOutput: where velkar-tool writes. Every text of the core is Shift-JIS;
// the tool turns it into UTF-8 for the terminal, or passes the bytes through
// unchanged with --sjis. Results go to stdout, messages to stderr, each
// message one line with the program's name in front; a control character in
// a message (a name read from a file may hold one) is written as an escape. Every write is checked,
// up to the final flush and close: output that did not get through (a full
// disk, /dev/full, a closed stdout) makes the command fail.
#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Exit codes shared by every command.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;  // the command ran but did not fully succeed
inline constexpr int kExitUsage = 2;    // bad options or arguments; nothing on stdout

class CToolOutput {
public:
  CToolOutput(std::FILE* pOut, std::FILE* pErr) : m_pOut(pOut), m_pErr(pErr) {}
  virtual ~CToolOutput() = default;

  CToolOutput(const CToolOutput&) = delete;
  CToolOutput& operator=(const CToolOutput&) = delete;

  void SetRawSjis(bool bRaw) { m_bRawSjis = bRaw; }
  bool IsRawSjis() const { return m_bRawSjis; }

  // Shift-JIS (or plain ASCII) text to stdout, in the chosen encoding.
  void Write(std::string_view sjis) const;
  void WriteLine(std::string_view sjis) const;

  // Text that is UTF-8 already (JSON), to stdout unchanged.
  void WriteUtf8(std::string_view utf8) const;

  // "velkar-tool: <message>" on stderr; the message may hold Shift-JIS names.
  void Error(std::string_view sjis) const { Note(sjis); }
  // What a command did, written as an error is.
  void Note(std::string_view sjis) const;
  void Warning(std::string_view sjis) const;
  // Each warning of a command that still did its work, as Warning does.
  void Warnings(const std::vector<std::string>& arrWarning) const;

  // An error in the options: one line on stderr; returns kExitUsage.
  int UsageError(std::string_view sjis) const;

  // Shift-JIS text as the chosen output encoding gives it.
  std::string Encode(std::string_view sjis) const;

  // The Shift-JIS bytes that printed text becomes again when a user saves it
  // in Shift-JIS: the same bytes with --sjis; otherwise the trip through
  // UTF-8, which fails for bytes that are not code page 932 text and may
  // change a character that code page 932 has twice.
  std::optional<std::string> SavedAsSjis(std::string_view sjis) const;

  // Flushes and closes both streams and gives the process's exit code:
  // nExit when everything written got through; otherwise kExitFailure, with
  // a message on stderr, or quietly when stdout is a pipe whose reader has
  // gone (as for cat, whom SIGPIPE usually ends first).
  int Finish(int nExit);

private:
  void Put(std::FILE* pStream, std::string_view bytes) const;
  void NoteFailure(std::FILE* pStream, int nErrno) const;

  std::FILE* m_pOut;
  std::FILE* m_pErr;
  bool m_bRawSjis = false;
  mutable int m_nOutErrno = 0;  // the first failed write to stdout
  mutable bool m_bErrFailed = false;
};
