#pragma once
// Builds activities of a process document from a few short lines, so that a
// test states its line the way one draws it:
//   "Line > S1 S2 Cell:Grouping"        children of Line; the first parent is the root
//   "S2 > Load:Loading Weld:SpotWelding"
//   "Start -> S1 -> S2 -> Stop"         precedences; Start/Stop are the root's,
//   "S2.Start -> Load"                  S2.Start/S2.Stop those of S2
// A child's type is "BIWActivity" plus the word after ':' (Station when there
// is none); its identifier is its name in lower case.
#include <gtest/gtest.h>

#include <cctype>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "KivProcessDocument.h"

class KivLineBuilder {
 public:
  KivLineBuilder(KivProcessDocument* document, std::initializer_list<const char*> lines)
      : document_(document) {
    for (const char* line : lines) Add(line);
  }

  void Add(const std::string& line) {
    std::istringstream words(line);
    std::vector<std::string> tokens;
    for (std::string word; words >> word;) tokens.push_back(word);
    if (tokens.size() >= 2 && tokens[1] == ">") return AddChildren(tokens);
    for (size_t i = 2; i < tokens.size(); i += 2) {
      EXPECT_EQ(tokens[i - 1], "->") << line;
      EXPECT_EQ(document_->AddPrecedence((*this)[tokens[i - 2]].get(), (*this)[tokens[i]].get()),
                S_OK)
          << line;
    }
  }

  // The activity (or Start/Stop node) of that name; a failed expectation when unknown.
  KivBaseUnknown_var operator[](const std::string& name) {
    const size_t dot = name.find('.');
    const std::string owner = dot == std::string::npos ? rootName_ : name.substr(0, dot);
    const std::string leaf = dot == std::string::npos ? name : name.substr(dot + 1);
    if (leaf == "Start") return document_->GetStartNode(Find(owner).get());
    if (leaf == "Stop") return document_->GetStopNode(Find(owner).get());
    return Find(name);
  }

 private:
  void AddChildren(const std::vector<std::string>& tokens) {
    if (rootName_.empty()) {
      rootName_ = tokens[0];
      made_[rootName_] = document_->CreateRootActivity(tokens[0], Lower(tokens[0])).get();
    }
    KivBaseUnknown_var parent = Find(tokens[0]);
    for (size_t i = 2; i < tokens.size(); ++i) {
      const size_t colon = tokens[i].find(':');
      const std::string name = tokens[i].substr(0, colon);
      const std::string type = colon == std::string::npos ? "Station" : tokens[i].substr(colon + 1);
      made_[name] =
          document_->CreateActivity(parent.get(), "BIWActivity" + type, name, Lower(name)).get();
      EXPECT_TRUE(made_[name]) << tokens[i];
    }
  }
  KivBaseUnknown_var Find(const std::string& name) {
    auto it = made_.find(name);
    EXPECT_NE(it, made_.end()) << "no activity " << name;
    return it == made_.end() ? KivBaseUnknown_var() : it->second;
  }
  static std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
  }

  KivProcessDocument* document_;
  std::string rootName_;
  std::map<std::string, KivBaseUnknown_var> made_;
};
