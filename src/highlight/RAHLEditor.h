#pragma once
// The editor control with syntax highlighting: colours each painted line by the token
// classes of its language and tracks comments, strings and tags that span lines.
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "editor/RAEditor.h"
#include "highlight/Colors.h"
#include "highlight/RAHLParser.h"
#include "util/GapVector.h"

enum THighLighter : uint8_t {
  hlNone,
  hlPascal,
  hlCBuilder,
  hlSql,
  hlPython,
  hlJava,
  hlVB,
  hlHtml,
  hlPerl,
  hlIni,
  hlCocoR,
  hlMarvek
};

class TRAHLEditor : public TRAEditor {
 public:
  using TOnReservedWord =
      std::function<void(TRAHLEditor* sender, const std::string& token, bool& reserved)>;

  explicit TRAHLEditor(EditorHost& host);
  ~TRAHLEditor() override;

  THighLighter HighLighter() const { return FHighLighter; }
  void SetHighLighter(THighLighter value);
  TColors& Colors() { return *FColors; }
  const TColors& Colors() const { return *FColors; }
  bool LongTokens() const { return FLongTokens; }
  // A plain store: the states of the last rescan are used until the next one.
  void SetLongTokens(bool value) { FLongTokens = value; }
  bool SyntaxHighlighting() const { return FSyntaxHighlighting; }
  void SetSyntaxHighlighting(bool value) { FSyntaxHighlighting = value; }
  TOnReservedWord OnReservedWord;

  // Copies the colours of another highlighting editor and repaints.
  void Assign(const TRAHLEditor& source);
  void Loaded() override;
  void Changed() override;
  void TextModified(int pos, int action, const std::string& text) override;
  void WholeTextModified() override;

  // Recomputes the start state of every line from the whole text.
  void RescanLongTokens();
  // Start state of line Index: 0 normal, 1 brace comment, 2 block comment, 4 string,
  // 5 HTML tag.
  uint8_t LineState(int index) const;
  int GrammarLine() const { return FGrammarLine; }

 protected:
  void GetAttr(int lineIdx, int colBeg, int colEnd) override;
  virtual bool DoReservedWord(const std::string& token, bool& reserved);
  virtual bool HasReservedWordHandler() const;

 private:
  // Line colouring (RAHLEditor.cpp).
  const TSymbolColor& StartLine();
  void FillLine(const TSymbolColor& lineDefault);
  bool ScansTokens() const;
  void ColorRange(int from, int to, const TSymbolColor& cls);
  void ColorToken(const TSymbolColor& cls);
  char NextNonBlankChar() const;
  bool IsCommentToken(const std::string& token) const;
  bool IsStringToken(const std::string& token) const;
  void ColorTokens();
  void ColorIniLine();
  void ColorHtmlEntities(const std::string& token);
  void ColorGrammarMarker();
  bool ApplyLanguageRules(const std::string& token, const std::string& prev,
                          const std::string& prev2, int index, bool& inTag);
  bool ApplyHtmlTagRules(const std::string& token, const std::string& prev,
                         const std::string& prev2, bool& inTag);
  void ApplyGeneralRules(const std::string& token, const std::string& prev);

  // Multi-line state (LineStates.cpp).
  void FetchLineState();
  int LongTokenEnd() const;
  bool TracksLineStates() const;
  // Brings the states up to date with the lines changed since the last rescan; gives the
  // first and last line whose state or text may have changed (everything after a full
  // rescan, an empty range when nothing changed).
  std::pair<int, int> UpdateLineStates();
  // Recomputes the states of lines From + 1 onwards, stopping past line End - 1 as soon as
  // a computed state equals the stored one, or the known states end.
  // Returns the last line whose state was written.
  int ScanLineStates(int from, int end);
  void ScanForward(int index) const;
  void FindGrammarLine();
  // Brings the states up to date after an edit and repaints the lines they changed.
  void SyncLineStates();

  std::unique_ptr<TIParser> FParser;
  THighLighter FHighLighter = hlPascal;
  std::unique_ptr<TColors> FColors;
  std::string FLine;
  int FLineIndex = 0;
  uint8_t FLineState = 0;
  bool FLongTokens = true;
  // Start state of every line (not only the first 65537); lines 0..FKnownStates hold what
  // a full scan gives, the others are computed when read (ScanForward).
  mutable GapVector<uint8_t> FLineStates;
  mutable int FKnownStates = 0;
  bool FSyntaxHighlighting = true;
  int FGrammarLine = 2147483647;
  // FLineStates holds a full rescan's result for FScannedHighLighter and the text as it
  // was at the last rescan (the line store reports the changes since).
  bool FStatesValid = false;
  THighLighter FScannedHighLighter = hlNone;
};
