// Time to load and to save a synthetic process document of 10,000 activities
// and 50,000 products (written at build time by the generator), and how the
// load time splits between parsing the XML and building the model.
#include <benchmark/benchmark.h>

#include <fstream>
#include <sstream>
#include <string>

#include "KivIXMLDOMDocumentBuilder.h"
#include "KivProcessDocumentReader.h"
#include "KivProcessDocumentWriter.h"

namespace {

const std::string& SyntheticText() {
  static const std::string text = [] {
    std::ifstream in(KIV_SYNTHETIC_DOCUMENT, std::ios::binary);
    std::ostringstream all;
    all << in.rdbuf();
    return all.str();
  }();
  return text;
}

KivVar<KivProcessDocument> LoadSynthetic(benchmark::State& state) {
  const std::string& text = SyntheticText();
  KivVar<KivProcessDocument> document;
  KivProcessDocumentError error;
  if (FAILED(KivProcessDocumentReader::LoadBuffer(text.data(), text.size(), "synthetic.xml",
                                                  document, error)))
    state.SkipWithError(error.ToString().c_str());
  return document;
}

// The XML parse alone, for comparison with the whole load.
void BM_ParseOnly(benchmark::State& state) {
  const std::string& text = SyntheticText();
  KivIXMLDOMDocumentBuilder_var builder;
  CreateKivIXMLDOMDocumentBuilder(CLSID_XML4C_DOM, builder);
  for (auto _ : state) {
    KivIDOMDocument_var dom;
    builder->ParseBuffer(text.data(), text.size(), "synthetic.xml", dom, {}, {});
    benchmark::DoNotOptimize(dom.get());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_ParseOnly)->Unit(benchmark::kMillisecond);

// Parse, check and build the document, then free it.
void BM_Load(benchmark::State& state) {
  for (auto _ : state) {
    KivVar<KivProcessDocument> document = LoadSynthetic(state);
    benchmark::DoNotOptimize(document.get());
    if (!document) break;
    state.counters["activities"] = document->ActivityCount();
    state.counters["products"] = document->ProductCount();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * SyntheticText().size()));
}
BENCHMARK(BM_Load)->Unit(benchmark::kMillisecond);

// Write the loaded document back to text.
void BM_Save(benchmark::State& state) {
  KivVar<KivProcessDocument> document = LoadSynthetic(state);
  if (!document) return;
  std::string text, error;
  for (auto _ : state) {
    text.clear();
    if (FAILED(KivProcessDocumentWriter::WriteText(*document, text, error))) {
      state.SkipWithError(error.c_str());
      break;
    }
    benchmark::DoNotOptimize(text.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_Save)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
