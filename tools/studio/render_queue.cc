// Workers take the slot in view that has waited longest (lowest wanted
// generation) among those not in flight, and then the others the same way.
#include "tools/studio/render_queue.h"

#include <chrono>

RenderQueue::RenderQueue(unsigned workers, Render render) : render_(std::move(render)) {
  for (unsigned i = 0; i < workers; ++i) workers_.emplace_back([this] { work(); });
}

RenderQueue::~RenderQueue() {
  {
    std::lock_guard guard(lock_);
    stopping_ = true;
  }
  changed_.notify_all();
  for (std::thread& t : workers_) t.join();
}

uint64_t RenderQueue::request(const std::string& slot, const nlohmann::json& signature) {
  uint64_t generation;
  {
    std::lock_guard guard(lock_);
    Slot& s = slots_[slot];
    if (s.picture.wanted != 0 && s.signature == signature) return 0;
    s.signature = signature;
    generation = s.picture.wanted = ++nextGeneration_;
    s.picture.busy = true;
  }
  changed_.notify_one();
  return generation;
}

void RenderQueue::setPreferred(std::set<std::string> slots) {
  std::lock_guard guard(lock_);
  preferred_ = std::move(slots);
}

bool RenderQueue::snapshot(const std::string& slot, Picture* out) const {
  std::lock_guard guard(lock_);
  auto found = slots_.find(slot);
  if (found == slots_.end()) return false;
  *out = found->second.picture;
  return true;
}

std::map<std::string, RenderQueue::Picture> RenderQueue::status() const {
  std::lock_guard guard(lock_);
  std::map<std::string, Picture> out;
  for (const auto& [name, slot] : slots_) {
    Picture p = slot.picture;
    p.png.clear();
    p.texts = nlohmann::json::array();
    out[name] = std::move(p);
  }
  return out;
}

void RenderQueue::work() {
  std::unique_lock guard(lock_);
  while (true) {
    std::string chosen;
    bool chosenInView = false;
    uint64_t oldest = UINT64_MAX;
    for (const auto& [name, slot] : slots_) {
      if (slot.inFlight || slot.picture.wanted <= slot.picture.generation) continue;
      const bool inView = preferred_.count(name) > 0;
      if ((inView && !chosenInView) || (inView == chosenInView && slot.picture.wanted < oldest)) {
        oldest = slot.picture.wanted;
        chosen = name;
        chosenInView = inView;
      }
    }
    if (chosen.empty()) {
      if (stopping_) return;
      changed_.wait(guard);
      continue;
    }
    if (stopping_) return;
    Slot& slot = slots_[chosen];
    slot.inFlight = true;
    // Everything asked for up to now is in the state this render reads.
    const uint64_t generation = slot.picture.wanted;
    guard.unlock();
    std::string png, error;
    nlohmann::json texts = nlohmann::json::array();
    auto start = std::chrono::steady_clock::now();
    bool ok = render_(chosen, &png, &texts, &error);
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    guard.lock();
    Slot& done = slots_[chosen];
    done.inFlight = false;
    done.picture.generation = generation;
    done.picture.lastSeconds = seconds;
    ++done.picture.renders;
    if (ok) {
      done.picture.png = std::move(png);
      done.picture.belowAA = 0;
      for (const nlohmann::json& text : texts) done.picture.belowAA += text.value("verdict", "") == "below AA";
      done.picture.texts = std::move(texts);
      done.picture.error.clear();
    } else {
      done.picture.error = error;
    }
    done.picture.busy = done.picture.wanted > done.picture.generation;
    if (done.picture.busy) changed_.notify_one();
  }
}
