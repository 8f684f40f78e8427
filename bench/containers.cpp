// Container costs against the standard library: appending to a List, iterating it,
// looking up keys in a sorted map and hitting the MRU cache.
#include <benchmark/benchmark.h>

#include <map>
#include <random>
#include <string>
#include <vector>

#include "core/FinUseData.h"
#include "core/IndexData.h"
#include "core/List.h"
#include "core/String.h"

namespace
{
constexpr int kAdds = 100000;
constexpr int kKeys = 10000;

void BM_ListAdd(benchmark::State &state)
{
    for (auto _ : state)
    {
        hgl::List<int> l;
        for (int i = 0; i < kAdds; i++)
            l.Add(i);
        benchmark::DoNotOptimize(l.GetData());
    }
    state.SetItemsProcessed(state.iterations() * kAdds);
}
BENCHMARK(BM_ListAdd);

void BM_VectorPushBack(benchmark::State &state)
{
    for (auto _ : state)
    {
        std::vector<int> v;
        for (int i = 0; i < kAdds; i++)
            v.push_back(i);
        benchmark::DoNotOptimize(v.data());
    }
    state.SetItemsProcessed(state.iterations() * kAdds);
}
BENCHMARK(BM_VectorPushBack);

void BM_ListIndex(benchmark::State &state)
{
    hgl::List<int> l;
    for (int i = 0; i < kAdds; i++)
        l.Add(i);
    for (auto _ : state)
    {
        long sum = 0;
        for (int i = 0; i < l.GetCount(); i++)
            sum += l[i];
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * kAdds);
}
BENCHMARK(BM_ListIndex);

void BM_VectorIndex(benchmark::State &state)
{
    std::vector<int> v;
    for (int i = 0; i < kAdds; i++)
        v.push_back(i);
    for (auto _ : state)
    {
        long sum = 0;
        for (size_t i = 0; i < v.size(); i++)
            sum += v[i];
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * kAdds);
}
BENCHMARK(BM_VectorIndex);

std::vector<std::u16string> RandomKeys(int n, unsigned seed)
{
    std::mt19937 rng(seed);
    std::vector<std::u16string> keys;
    for (int i = 0; i < n; i++)
    {
        std::u16string k = u"Var";
        const int len = 4 + int(rng() % 8);
        for (int j = 0; j < len; j++)
            k += char16_t(u'A' + rng() % 52);
        keys.push_back(k);
    }
    return keys;
}

void BM_IndexDataFind(benchmark::State &state)
{
    const auto keys = RandomKeys(kKeys, 1);
    hgl::IndexData<hgl::String, int> m;
    std::vector<hgl::String> probes;
    for (int i = 0; i < kKeys; i++)
    {
        m.Set(hgl::String(keys[i]), i);
        probes.emplace_back(keys[(i * 7919) % kKeys]);
    }
    size_t i = 0;
    for (auto _ : state)
    {
        benchmark::DoNotOptimize(m.Find(probes[i]));
        if (++i == probes.size()) i = 0;
    }
}
BENCHMARK(BM_IndexDataFind);

void BM_StdMapFind(benchmark::State &state)
{
    const auto keys = RandomKeys(kKeys, 1);
    std::map<std::u16string, int> m;
    std::vector<std::u16string> probes;
    for (int i = 0; i < kKeys; i++)
    {
        m[keys[i]] = i;
        probes.push_back(keys[(i * 7919) % kKeys]);
    }
    size_t i = 0;
    for (auto _ : state)
    {
        benchmark::DoNotOptimize(m.find(probes[i]));
        if (++i == probes.size()) i = 0;
    }
}
BENCHMARK(BM_StdMapFind);

void BM_IndexDataInsertRandom(benchmark::State &state)
{
    const auto keys = RandomKeys(kKeys, 2);
    std::vector<hgl::String> ks(keys.begin(), keys.end());
    for (auto _ : state)
    {
        hgl::IndexData<hgl::String, int> m;
        for (int i = 0; i < kKeys; i++)
            m.Set(ks[i], i);
        benchmark::DoNotOptimize(m.GetCount());
    }
    state.SetItemsProcessed(state.iterations() * kKeys);
}
BENCHMARK(BM_IndexDataInsertRandom)->Unit(benchmark::kMillisecond);

void BM_FinUseDataHit(benchmark::State &state)
{
    hgl::FinUseData<hgl::String, int> cache(36);
    std::vector<hgl::String> names;
    for (int i = 0; i < 36; i++)
    {
        hgl::String n(u"Character\\Girl");
        n.Sprintf(u"Character\\Girl%02d.hgp", i);
        names.push_back(n);
        cache.Add(n, i);
    }
    std::mt19937 rng(3);
    std::vector<int> order(1024);
    for (int &o : order)
        o = int(rng() % 36);
    size_t i = 0;
    int v = 0;
    for (auto _ : state)
    {
        benchmark::DoNotOptimize(cache.Get(names[order[i]], v));
        i = (i + 1) & 1023;
    }
}
BENCHMARK(BM_FinUseDataHit);
} // namespace
