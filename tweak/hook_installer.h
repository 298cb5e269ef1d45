// Installs a group of the HookTable, row by row, and keeps a report of what
// each row did.
//
//   installHookGroup(HookGroup::Music);
//   for (const InstallRecord& r : installationReport()) ...
#pragma once

#include <string>
#include <vector>

#include "tweak/hook_table.h"

enum class InstallOutcome {
  ReplacedOwnMethod,       // the class had its own method; the slot holds it
  AddedOverInherited,      // the class inherited it; the slot holds the fallback
  Added,                   // an added method
  SkippedNoClass,          // the host lacks the class
  SkippedNoMethod,         // the class lacks the method, own or inherited
  AddFailedExists,         // the class already has a method of that name
  SkippedByRequest,        // left out on purpose (MIREL_SKIP_ROW, for diagnosis)
};

struct InstallRecord {
  HookGroup group;
  const HookRow* row;
  InstallOutcome outcome;
};

void installHookGroup(HookGroup group);
// Installs the given rows as part of `group` (the table's groups use this).
void installHookRows(HookGroup group, std::span<const HookRow> rows);
const std::vector<InstallRecord>& installationReport();
const char* installOutcomeText(InstallOutcome outcome);
// The row as MIREL_SKIP_ROW names it: "Class -selector", "Class +selector"
// (a class method) or "Class add selector".
std::string hookRowName(const HookRow& row);
