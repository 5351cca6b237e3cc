// Parsing a 1 MB document of 10,000 elements with attributes and walking it.

#include <benchmark/benchmark.h>

#include <string>

#include "xml/XmlDocument.h"

namespace {

std::string MakeDocument() {
  std::string text = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<macros>\r\n";
  const std::string filler(12, 'x');
  for (int i = 0; i < 10000; ++i) {
    text += "<macro_item index=\"" + std::to_string(i) + "\" name=\"Macro &amp; " + std::to_string(i) +
            "\" type=\"1\" key=\"" + std::to_string(i % 256) + "\" delay=\"" + std::to_string(i * 7 % 1000) +
            "\" note=\"" + filler + "\"/>\r\n";
  }
  text += "</macros>\r\n";
  return text;
}

void BM_ParseAndWalk(benchmark::State& state) {
  const std::string text = MakeDocument();
  for (auto _ : state) {
    korvex::XmlDocument doc;
    doc.SetText(text);
    long sum = 0;
    if (doc.FindNext("macros") && doc.EnterElement()) {
      while (doc.FindNext("macro_item")) {
        sum += static_cast<long>(doc.GetAttribute("name").size() + doc.GetAttribute("delay").size());
      }
    }
    benchmark::DoNotOptimize(sum);
  }
  state.counters["bytes"] = static_cast<double>(text.size());
}
BENCHMARK(BM_ParseAndWalk)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);

// Writing an export file: 2,000 elements with three attributes each, built
// through AppendElement and SetAttribute.
void BM_Build(benchmark::State& state) {
  for (auto _ : state) {
    korvex::XmlDocument doc;
    doc.SetText("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n");
    doc.AppendElement("macros");
    doc.EnterElement();
    for (int i = 0; i < 2000; ++i) {
      doc.AppendElement("macro_item");
      doc.SetAttribute("type", "1");
      doc.SetAttribute("value", std::to_string(i));
      doc.SetAttribute("desc", "Key & delay");
    }
    benchmark::DoNotOptimize(doc.Text().size());
  }
}
BENCHMARK(BM_Build)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();
