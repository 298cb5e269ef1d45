// The studio's pictures: one slot per screen and variant (themed or stock),
// each rendered by a pool of workers with at most one render in flight per
// slot. A slot asked for again while it renders is rendered once more when
// that render ends, from the newest state, so changes in between collapse
// into one render. Slots the page shows on screen go first.
//
//   RenderQueue queue(2, render);
//   queue.request("music/songs/themed", signature);   // renders when the signature differs
#pragma once

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include <nlohmann/json.hpp>

class RenderQueue {
 public:
  // Renders the slot's picture from the state current when it is called.
  // `texts` gets the readings of the picture's texts (a JSON array).
  using Render =
      std::function<bool(const std::string& slot, std::string* png, nlohmann::json* texts, std::string* error)>;

  struct Picture {
    uint64_t generation = 0;  // of the newest picture; 0: none yet
    uint64_t wanted = 0;      // newest generation asked for
    bool busy = false;        // a render is in flight or queued
    std::string png, error;
    nlohmann::json texts = nlohmann::json::array();  // the newest picture's readings
    size_t belowAA = 0;                               // of them, texts below AA
    double lastSeconds = 0;   // how long the newest render took
    uint64_t renders = 0;     // renders finished
  };

  RenderQueue(unsigned workers, Render render);
  ~RenderQueue();

  // Asks for a new picture when `signature` (what the picture depends on)
  // differs from the one last asked for. Returns the generation asked for,
  // or 0 when the picture asked for already shows this.
  uint64_t request(const std::string& slot, const nlohmann::json& signature);
  // The slots in view: among waiting slots these render first.
  void setPreferred(std::set<std::string> slots);
  bool snapshot(const std::string& slot, Picture* out) const;
  std::map<std::string, Picture> status() const;  // pictures without their bytes and texts

 private:
  struct Slot {
    Picture picture;
    nlohmann::json signature;
    bool inFlight = false;
  };
  void work();

  Render render_;
  mutable std::mutex lock_;
  std::condition_variable changed_;
  std::map<std::string, Slot> slots_;
  std::set<std::string> preferred_;
  uint64_t nextGeneration_ = 0;
  bool stopping_ = false;
  std::vector<std::thread> workers_;
};
