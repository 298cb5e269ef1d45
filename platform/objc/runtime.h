// The object runtime: the project's model of the host's libobjc.
//
// Names and meaning follow libobjc so that code written against this header
// reads as it would on a device:
//   Class c = objc_getClass("UITableView");
//   Method m = class_getInstanceMethod(c, sel_registerName("setBackgroundColor:"));
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>

struct objc_object;
struct objc_class;
struct objc_selector;
struct objc_method;
struct objc_ivar;

typedef objc_object* id;
typedef objc_class* Class;
typedef const objc_selector* SEL;
typedef void (*IMP)(void);
typedef objc_method* Method;
typedef objc_ivar* Ivar;

// BOOL is the C++ bool, as on 64-bit devices (encoded "B").
typedef bool BOOL;
inline constexpr BOOL YES = true;
inline constexpr BOOL NO = false;
inline constexpr std::nullptr_t nil = nullptr;

typedef long NSInteger;
typedef unsigned long NSUInteger;
typedef double CGFloat;

// Every object starts with this header. The reference count and the flags are
// the runtime's own; model classes add their instance variables as C++
// members of structs derived from it.
struct objc_object {
  Class isa;
  std::atomic<uint32_t> rc_;     // retain count; an object is created with 1
  std::atomic<uint32_t> flags_;  // see objc::ObjectFlag
};

// --- Classes ---------------------------------------------------------------
Class objc_getClass(const char* name);
Class objc_lookUpClass(const char* name);
Class object_getClass(id obj);
const char* object_getClassName(id obj);
Class class_getSuperclass(Class cls);
const char* class_getName(Class cls);
BOOL class_isMetaClass(Class cls);
size_t class_getInstanceSize(Class cls);
BOOL class_respondsToSelector(Class cls, SEL sel);

// --- Methods ----------------------------------------------------------------
// Own or inherited; nil when neither the class nor a superclass has it.
Method class_getInstanceMethod(Class cls, SEL sel);
Method class_getClassMethod(Class cls, SEL sel);
// Fails (NO) only when the class has its own method of that name.
BOOL class_addMethod(Class cls, SEL name, IMP imp, const char* types);
// Replaces or adds; returns the previous own implementation, or nil.
IMP class_replaceMethod(Class cls, SEL name, IMP imp, const char* types);
SEL method_getName(Method m);
IMP method_getImplementation(Method m);
const char* method_getTypeEncoding(Method m);
// Returns the previous implementation.
IMP method_setImplementation(Method m, IMP imp);
// Looked up at call time; never nil: a missing method answers the forwarding
// implementation, which fails loudly when called.
IMP class_getMethodImplementation(Class cls, SEL sel);
// Every method the class itself defines (not inherited); caller frees with free().
Method* class_copyMethodList(Class cls, unsigned int* outCount);

// --- Selectors ---------------------------------------------------------------
SEL sel_registerName(const char* name);
SEL sel_getUid(const char* name);
const char* sel_getName(SEL sel);

// --- Instance variables -------------------------------------------------------
// Walks the superclasses; nil when no class in the chain declares the name.
Ivar class_getInstanceVariable(Class cls, const char* name);
const char* ivar_getName(Ivar ivar);
ptrdiff_t ivar_getOffset(Ivar ivar);
const char* ivar_getTypeEncoding(Ivar ivar);
id object_getIvar(id obj, Ivar ivar);
// Object ivars are strong: the new value is retained and the old released.
void object_setIvar(id obj, Ivar ivar, id value);

// --- Objects ----------------------------------------------------------------
id class_createInstance(Class cls, size_t extraBytes);
// Runs the C++ destructors of the instance variables, drops associated
// objects and frees the memory. Called by -[NSObject dealloc].
id object_dispose(id obj);

// --- Associated objects -------------------------------------------------------
typedef uintptr_t objc_AssociationPolicy;
enum : objc_AssociationPolicy {
  OBJC_ASSOCIATION_ASSIGN = 0,
  OBJC_ASSOCIATION_RETAIN_NONATOMIC = 1,
  OBJC_ASSOCIATION_COPY_NONATOMIC = 3,
  OBJC_ASSOCIATION_RETAIN = 01401,
  OBJC_ASSOCIATION_COPY = 01403,
};
void objc_setAssociatedObject(id object, const void* key, id value, objc_AssociationPolicy policy);
id objc_getAssociatedObject(id object, const void* key);
void objc_removeAssociatedObjects(id object);

// --- Reference counting -------------------------------------------------------
id objc_retain(id obj);
void objc_release(id obj);
id objc_autorelease(id obj);
NSUInteger objc_retainCount(id obj);
void* objc_autoreleasePoolPush();
void objc_autoreleasePoolPop(void* token);
// Objects waiting in the calling thread's pools (for tests and diagnostics).
size_t objc_autoreleasePoolPendingCount();
