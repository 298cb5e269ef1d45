// Installing replace and add entries, as the host's runtime allows: a
// replaced method keeps the class's previous implementation in its slot; a
// method the class only inherits gets the replacement as its own method and
// the slot keeps the superclass fallback.
#include "tweak/hook_installer.h"

#include <cstdlib>

#include "platform/objc/class.h"

namespace {

std::vector<InstallRecord>& report() {
  static auto* records = new std::vector<InstallRecord>;
  return *records;
}

#ifndef NDEBUG
void checkReplacementSignature(const HookRow& row, const char* hostTypes) {
  if (!objc::encodingsMatch(hostTypes, row.replacementEncoding().c_str()))
    objc::fatal("replacement for %c[%s %s] is declared \"%s\" but the host's method is \"%s\"",
                row.kind == HookKind::ReplaceClass ? '+' : '-', row.className, row.selector,
                row.replacementEncoding().c_str(), hostTypes);
}
#endif

InstallOutcome installReplace(const HookRow& row, Class cls) {
  Class target = row.kind == HookKind::ReplaceClass ? object_getClass(reinterpret_cast<id>(cls)) : cls;
  SEL sel = sel_registerName(row.selector);
  if (row.fallbackSuperclass) *row.fallbackSuperclass = class_getSuperclass(target);
  Method method = class_getInstanceMethod(target, sel);
  if (!method) return InstallOutcome::SkippedNoMethod;
#ifndef NDEBUG
  checkReplacementSignature(row, method_getTypeEncoding(method));
#endif
  if (row.slot && row.fallback) *row.slot = row.fallback;
  if (class_addMethod(target, sel, row.replacement, method_getTypeEncoding(method)))
    return InstallOutcome::AddedOverInherited;
  if (row.slot) *row.slot = method_getImplementation(method);
  IMP previous = method_setImplementation(method, row.replacement);
  if (row.slot) *row.slot = previous;
  return InstallOutcome::ReplacedOwnMethod;
}

// A diagnostic switch: the environment variable MIREL_SKIP_ROW names one
// row (as hookRowName gives it) that installation leaves out, so that a test
// run shows whether anything notices that row's absence.
bool skippedByRequest(const HookRow& row) {
  const char* skipped = std::getenv("MIREL_SKIP_ROW");
  return skipped && hookRowName(row) == skipped;
}

InstallOutcome installRow(const HookRow& row) {
  if (skippedByRequest(row)) return InstallOutcome::SkippedByRequest;
  Class cls = objc_getClass(row.className);
  if (row.kind == HookKind::Add) {
    if (!cls) return InstallOutcome::SkippedNoClass;
    return class_addMethod(cls, sel_registerName(row.selector), row.replacement, row.types)
               ? InstallOutcome::Added
               : InstallOutcome::AddFailedExists;
  }
  if (!cls) return InstallOutcome::SkippedNoClass;
  return installReplace(row, cls);
}

}  // namespace

void installHookRows(HookGroup group, std::span<const HookRow> rows) {
  for (const HookRow& row : rows) report().push_back({group, &row, installRow(row)});
}

void installHookGroup(HookGroup group) { installHookRows(group, hookGroup(group)); }

const std::vector<InstallRecord>& installationReport() { return report(); }

const char* installOutcomeText(InstallOutcome outcome) {
  switch (outcome) {
    case InstallOutcome::ReplacedOwnMethod: return "replaced own method";
    case InstallOutcome::AddedOverInherited: return "added over an inherited one";
    case InstallOutcome::Added: return "added";
    case InstallOutcome::SkippedNoClass: return "skipped: no class";
    case InstallOutcome::SkippedNoMethod: return "skipped: no method";
    case InstallOutcome::AddFailedExists: return "add failed: exists";
    case InstallOutcome::SkippedByRequest: return "skipped: MIREL_SKIP_ROW";
  }
  return "?";
}

std::string hookRowName(const HookRow& row) {
  const char* kind = row.kind == HookKind::ReplaceClass ? " +" : row.kind == HookKind::Add ? " add " : " -";
  return std::string(row.className) + kind + row.selector;
}
