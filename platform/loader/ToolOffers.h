// What a mapped library offers developer tools, by name: the preview's hook
// report and its view dump read the extension's own state this way. Its
// exported symbols stay exactly its interface; a tool asking for something
// that no mapped library offers gets nullptr and leaves that piece out.
//
//   offerToTools("mirel.installationReport", reinterpret_cast<const void*>(&installationReport));
//   auto report = reinterpret_cast<const std::vector<InstallRecord>& (*)()>(toolOffer("mirel.installationReport"));
#pragma once

void offerToTools(const char* name, const void* thing);
const void* toolOffer(const char* name);
