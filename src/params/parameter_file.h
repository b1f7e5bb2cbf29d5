#pragma once
// The parameter file's sections on an IniText. The section writers only add
// to the IniText they are given (the hardware information file reuses them);
// the readers fill the working copy, default what is missing, and return the
// collected "Attention!" message (empty when everything was read).
#include <QString>

#include "base/version.h"
#include "ini/ini_text.h"
#include "params/parameter_set.h"

namespace trivolux {

namespace parafile {
constexpr const char* kInfoSection = "GENERAL INFO";
constexpr const char* kFileTypeTag = "FILE TYPE:";
constexpr const char* kFileType = "Parameter File";
constexpr const char* kVersionTag = "SCOPE VERSION:";
constexpr const char* kVersion = kProgramTitle;
constexpr const char* kParamSection = "PARAMETER";
constexpr const char* kTeachSectionPrefix = "TEACH VECTOR ";
constexpr const char* kDefaultName = "Parameter.ini";
}  // namespace parafile

void AppendParaToIniHandle(IniText& ini, const ParameterBlock& block);
void AppendTechVecToIniHandle(IniText& ini, const TeachTable& table);

// Reserved words are neither written nor read.
QString AcquireParaFromIniHandle(const IniText& ini, ParameterBlock* block);
QString AcquireTechVecFromIniHandle(const IniText& ini, TeachTable* table);

// GENERAL INFO plus both section kinds: the whole parameter file.
void PutParameterFile(IniText& ini, const ParameterSet& set);

// "FILE TYPE:" and "SCOPE VERSION:" as read (empty when missing).
struct ParameterFileHeader {
  std::string fileType;
  std::string version;
  bool TypeMatches() const { return fileType == parafile::kFileType; }
  bool VersionMatches() const { return version == parafile::kVersion; }
};
ParameterFileHeader ReadParameterFileHeader(const IniText& ini);

}  // namespace trivolux
