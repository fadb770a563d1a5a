// Time to parse a process-document-sized file (about 100k elements), to walk
// it by tag name, and to write it back.
#include <benchmark/benchmark.h>

#include <string>

#include "KivIXMLDOMDocumentBuilder.h"
#include "KivXMLWriter.h"

namespace {

// A line of stations, each with operations and product links: `elements`
// elements in all, three levels deep, attributes on every element.
std::string GenerateDocument(int elements) {
  std::string text = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Process Name=\"Line\">\n";
  int written = 1;
  for (int station = 0; written < elements; ++station) {
    text += "  <Activity Id=\"S" + std::to_string(station) +
            "\" Type=\"BIWActivityStation\" Label=\"Station " + std::to_string(station) +
            "\" CycleTime=\"42.5\">\n";
    ++written;
    for (int op = 0; op < 9 && written < elements; ++op, ++written)
      text += "    <ProductInput Product=\"P" + std::to_string(station * 10 + op) +
              "\" Show=\"SHOW\" X=\"12.5\" Y=\"37.5\"/>\n";
    text += "  </Activity>\n";
  }
  text += "</Process>\n";
  return text;
}

const std::string& Document() {
  static const std::string document = GenerateDocument(100000);
  return document;
}

void BM_ParseBuffer(benchmark::State& state) {
  KivIXMLDOMDocumentBuilder_var builder;
  CreateKivIXMLDOMDocumentBuilder(CLSID_XML4C_DOM, builder);
  const std::string& text = Document();
  for (auto _ : state) {
    KivIDOMDocument_var document;
    if (FAILED(builder->ParseBuffer(text.data(), text.size(), "bench.xml", document, {}, {})))
      state.SkipWithError("parse failed");
    benchmark::DoNotOptimize(document.get());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_ParseBuffer)->Unit(benchmark::kMillisecond);

void BM_ReadEveryAttribute(benchmark::State& state) {
  KivIXMLDOMDocumentBuilder_var builder;
  CreateKivIXMLDOMDocumentBuilder(CLSID_XML4C_DOM, builder);
  KivIDOMDocument_var document;
  builder->ParseBuffer(Document().data(), Document().size(), "bench.xml", document, {}, {});
  for (auto _ : state) {
    std::size_t total = 0;
    for (const KivIDOMElement_var& input : document->GetElementsByTagName("ProductInput"))
      total += static_cast<std::size_t>(input->GetAttribute("Product").GetLengthInChar() +
                                        input->GetLineNumber());
    benchmark::DoNotOptimize(total);
  }
}
BENCHMARK(BM_ReadEveryAttribute)->Unit(benchmark::kMillisecond);

void BM_Write(benchmark::State& state) {
  for (auto _ : state) {
    KivXMLWriter writer;
    writer.StartElement("Process");
    for (int i = 0; i < 100000; ++i)
      writer.StartElement("ProductInput")
          .Attribute("Product", "P & Q <" + std::to_string(i) + ">")
          .EndElement();
    writer.EndElement();
    std::string text;
    writer.GetText(text);
    benchmark::DoNotOptimize(text.data());
  }
}
BENCHMARK(BM_Write)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
