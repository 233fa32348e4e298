#include "util/BackgroundDigest.h"

#include <openssl/evp.h>

#include <memory>

namespace {

struct TContextFree {
  void operator()(EVP_MD_CTX* context) const { EVP_MD_CTX_free(context); }
};
using TContext = std::unique_ptr<EVP_MD_CTX, TContextFree>;

}  // namespace

TBackgroundDigest::TBackgroundDigest(size_t maxWaiting)
    : FMaxWaiting(maxWaiting), FThread([this] { Work(); }) {}

TBackgroundDigest::~TBackgroundDigest() {
  {
    std::lock_guard lock(FMutex);
    FStop = true;
  }
  FChanged.notify_all();
  FThread.join();
}

void TBackgroundDigest::Add(std::string_view bytes) {
  if (bytes.empty()) return;
  std::unique_lock lock(FMutex);
  FChanged.wait(lock, [&] { return FWaitingBytes < FMaxWaiting; });
  std::string piece;
  if (!FSpare.empty()) {
    piece = std::move(FSpare.back());
    FSpare.pop_back();
  }
  piece.assign(bytes);
  FWaitingBytes += piece.size();
  FWaiting.push_back(std::move(piece));
  lock.unlock();
  FChanged.notify_all();
}

void TBackgroundDigest::Reset() {
  std::unique_lock lock(FMutex);
  for (std::string& piece : FWaiting) FSpare.push_back(std::move(piece));
  FWaiting.clear();
  FWaitingBytes = 0;
  ++FResets;
  lock.unlock();
  FChanged.notify_all();
}

std::string TBackgroundDigest::Result() {
  std::unique_lock lock(FMutex);
  FWantResult = true;
  FChanged.notify_all();
  FChanged.wait(lock, [&] { return !FWantResult; });
  return FDigest;
}

// Hashes the pieces in order; a Reset starts a new digest, a Result request ends the
// current one once every piece before it is hashed.
void TBackgroundDigest::Work() {
  const TContext context(EVP_MD_CTX_new());
  EVP_DigestInit_ex(context.get(), EVP_sha256(), nullptr);
  unsigned resets = 0;
  std::unique_lock lock(FMutex);
  while (true) {
    FChanged.wait(lock,
                  [&] { return FStop || !FWaiting.empty() || FWantResult || FResets != resets; });
    if (FStop) return;
    if (FResets != resets) {
      resets = FResets;
      EVP_DigestInit_ex(context.get(), EVP_sha256(), nullptr);
      continue;
    }
    if (!FWaiting.empty()) {
      std::string piece = std::move(FWaiting.front());
      FWaiting.pop_front();
      lock.unlock();
      EVP_DigestUpdate(context.get(), piece.data(), piece.size());
      lock.lock();
      // A Reset meanwhile voids what this piece added; the next round starts afresh.
      FWaitingBytes -= FResets == resets ? piece.size() : 0;
      FSpare.push_back(std::move(piece));
      FChanged.notify_all();
      continue;
    }
    // Every piece is hashed and the result is wanted.
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    EVP_DigestFinal_ex(context.get(), digest, &length);
    FDigest.assign(reinterpret_cast<const char*>(digest), length);
    EVP_DigestInit_ex(context.get(), EVP_sha256(), nullptr);
    FWantResult = false;
    FChanged.notify_all();
  }
}
