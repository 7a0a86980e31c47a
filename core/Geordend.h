// Work on many items on several threads while the results leave in the order of the items: item i
// is written only after items 0..i-1. At most a few results per thread wait to be written, so the
// memory stays the same however many items there are.
#pragma once

#include <algorithm>
#include <condition_variable>
#include <cstddef>
#include <exception>
#include <functional>
#include <map>
#include <mutex>
#include <thread>
#include <vector>

namespace korvalinde {

// Runs `werk(i)` for i = 0..aantal-1 on `draden` threads (1: on the calling thread, nothing
// started) and hands each result to `schrijf(i, resultaat)` on the calling thread, in order of i.
// An exception from `werk` or `schrijf` stops the work and is raised again on the calling thread.
template <class Resultaat>
void VerwerkGeordend(std::size_t aantal, unsigned draden, const std::function<Resultaat(std::size_t)>& werk,
                     const std::function<void(std::size_t, Resultaat&)>& schrijf) {
    if (draden <= 1 || aantal <= 1) {
        for (std::size_t i = 0; i < aantal; ++i) {
            Resultaat r = werk(i);
            schrijf(i, r);
        }
        return;
    }
    // Results computed ahead of the writer, at most `venster` items beyond the next one to write.
    const std::size_t venster = std::max<std::size_t>(4, std::size_t{4} * draden);
    std::mutex slot;
    std::condition_variable veranderd;
    std::map<std::size_t, Resultaat> klaar;
    std::size_t volgende = 0;   // next item to hand out
    std::size_t geschreven = 0; // items written so far
    bool stoppen = false;
    std::exception_ptr fout;

    auto arbeider = [&] {
        for (;;) {
            std::size_t i;
            {
                std::unique_lock<std::mutex> lk(slot);
                veranderd.wait(
                    lk, [&] { return stoppen || volgende >= aantal || volgende < geschreven + venster; });
                if (stoppen || volgende >= aantal) return;
                i = volgende++;
            }
            try {
                Resultaat r = werk(i);
                std::lock_guard<std::mutex> lk(slot);
                klaar.emplace(i, std::move(r));
            } catch (...) {
                std::lock_guard<std::mutex> lk(slot);
                if (!fout) fout = std::current_exception();
                stoppen = true;
            }
            veranderd.notify_all();
        }
    };
    std::vector<std::thread> pool;
    pool.reserve(draden);
    for (unsigned d = 0; d < draden; ++d) pool.emplace_back(arbeider);

    while (true) {
        Resultaat r;
        {
            std::unique_lock<std::mutex> lk(slot);
            veranderd.wait(lk,
                           [&] { return stoppen || geschreven >= aantal || klaar.count(geschreven) > 0; });
            if (stoppen || geschreven >= aantal) break;
            auto it = klaar.find(geschreven);
            r = std::move(it->second);
            klaar.erase(it);
        }
        try {
            schrijf(geschreven, r);
        } catch (...) {
            std::lock_guard<std::mutex> lk(slot);
            if (!fout) fout = std::current_exception();
            stoppen = true;
        }
        {
            std::lock_guard<std::mutex> lk(slot);
            ++geschreven;
        }
        veranderd.notify_all();
    }
    {
        std::lock_guard<std::mutex> lk(slot);
        stoppen = true;
    }
    veranderd.notify_all();
    for (std::thread& t : pool) t.join();
    if (fout) std::rethrow_exception(fout);
}

} // namespace korvalinde
