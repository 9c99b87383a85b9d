#pragma once
// Profile files that are awkward to read, shared by the reader's own tests
// and by the comparison with the platform's profile calls.
#include <string>
#include <utility>
#include <vector>

namespace velmora::testing {

struct AwkwardProfile { const char* name; std::string content; };

inline std::vector<AwkwardProfile> AwkwardProfiles() {
  return {
      {"crlf", "[Detector Data]\r\nBurst=True\r\nBurst Threshold=35\r\n\r\n[Display Data]\r\nSample Size=2048\r\n"},
      {"lf", "[Detector Data]\nBurst=True\nBurst Threshold=35\n[Display Data]\nSample Size=4096\n"},
      {"no final newline", "[Detector Data]\r\nBurst=False\r\nPower Threshold=12.5"},
      {"blanks around equals", "[Detector Data]\r\n  Burst   =   True  \r\n\tCW Range\t=\t50\t\r\nKey With Blanks = a b c \r\n"},
      {"duplicate sections",
       "[Detector Data]\r\nBurst=True\r\n[Other]\r\nx=1\r\n[detector data]\r\nBurst=False\r\nPeak=True\r\n"},
      {"duplicate keys", "[Detector Data]\r\nBurst=True\r\nBURST=False\r\nburst=1\r\n"},
      {"comments",
       "; a comment line\r\n[Detector Data]\r\n; Burst=False\r\n# not a comment either\r\nBurst=True\r\n;x=1\r\n"},
      {"line without equals", "[Detector Data]\r\nBurst\r\nPeak=True\r\njust some text\r\nPower=False\r\n"},
      {"empty value", "[Detector Data]\r\nBurst=\r\nPeak= \r\nPower=False\r\n"},
      {"long value", "[Display Data]\r\nLong=" + std::string(300, 'x') + "y\r\nAfter=1\r\n"},
      {"quoted values",
       "[Q]\r\nDouble=\"quoted\"\r\nSingle='one'\r\nHalf=\"open\r\nInner=a\"b\"\r\nEmpty=\"\"\r\nLone=\"\r\n"},
      {"case and blanks in names", "[  Mixed Case  ]\r\nMiXeD KeY=1\r\n[Display Data ]\r\nSample Size=512\r\n"},
      {"keys before any section", "Orphan=1\r\n[Detector Data]\r\nBurst=True\r\n"},
      {"broken header", "[Detector Data\r\nBurst=True\r\n[Display Data]\r\nFft Range=2\r\n"},
      {"equals in value", "[Detector Data]\r\nFormula=a=b=c\r\n"}, {"empty file", ""},
  };
}

// Every (section, key) pair worth asking of every file above.
inline std::vector<std::pair<std::string, std::string>> AwkwardQueries() {
  return {
      {"Detector Data", "Burst"},        {"detector data", "BURST"},         {" Detector Data ", " Burst "},
      {"Detector Data", "Burst Threshold"}, {"Detector Data", "CW Range"},    {"Detector Data", "Key With Blanks"},
      {"Detector Data", "Peak"},         {"Detector Data", "Power"},         {"Detector Data", "Power Threshold"},
      {"Detector Data", "Formula"},      {"Detector Data", "; Burst"},       {"Detector Data", "just some text"},
      {"Detector Data", "Missing"},      {"Display Data", "Sample Size"},    {"Display Data", "Fft Range"},
      {"Display Data", "Long"},          {"Display Data", "After"},          {"Other", "x"},
      {"Q", "Double"},                   {"Q", "Single"},                    {"Q", "Half"},
      {"Q", "Inner"},                    {"Q", "Empty"},                     {"Q", "Lone"},
      {"Mixed Case", "mixed key"},       {"", "Orphan"},                     {"Missing Section", "Burst"},
  };
}

}  // namespace velmora::testing
