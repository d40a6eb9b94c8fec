// Opens the class view's page in Debian's chromium and reports, as one line of JSON, what a
// pupil would see: the first reading and how long it took, how the temperature followed the
// run, the largest delay of a sample from the program's recording to the page, whether the
// graph drew the temperature curve, and the rows its CSV link gives.
//   node drive_page.mjs ADDRESS OUTDIR [SECONDS] [ZOOM_CLICKS]
// Leaves OUTDIR/page.png (the page as shown) and OUTDIR/run.csv (the download).
import { chromium } from "playwright-core";
import { writeFileSync } from "node:fs";
import { join } from "node:path";

const [address, outDir, secondsText = "5", zoomClicks = "0"] = process.argv.slice(2);
const watchSeconds = Number(secondsText);
const browser = await chromium.launch({
  executablePath: process.env.CHROMIUM || "/usr/bin/chromium",
  headless: true,
  args: ["--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run", "--disable-background-networking",
         "--disable-component-update", "--disable-sync"],
});
const result = {};
try {
  const context = await browser.newContext({ viewport: { width: 1024, height: 768 }, acceptDownloads: true });
  const page = await context.newPage();
  // Every sample that reaches the page: how long after the program recorded it.
  await page.addInitScript(() => {
    window.__lags = [];
    window.__opened = Date.now();
    const add = EventSource.prototype.addEventListener;
    EventSource.prototype.addEventListener = function (type, listener, options) {
      if (type === "sample") {
        const inner = listener;
        listener = (event) => {
          const sample = JSON.parse(event.data);
          if (sample.ms > window.__opened) window.__lags.push(Date.now() - sample.ms);
          inner(event);
        };
      }
      return add.call(this, type, listener, options);
    };
  });
  let firstLoadBytes = 0;
  page.on("response", async (response) => {
    try { firstLoadBytes += (await response.body()).length; } catch { /* the event stream has no end */ }
  });
  const started = Date.now();
  await page.goto(address);
  await page.waitForFunction(() => /\d/.test(document.getElementById("temperature").textContent), null,
                             { timeout: 10000 });
  result.firstReadingMs = Date.now() - started;
  result.firstLoadBytes = firstLoadBytes;
  result.firstTemperature = await page.textContent("#temperature");

  // The temperature as shown, a few times a second.
  const shown = [];
  const until = Date.now() + watchSeconds * 1000;
  while (Date.now() < until) {
    shown.push(await page.textContent("#temperature"));
    await page.waitForTimeout(250);
  }
  result.temperaturesShown = [...new Set(shown)];
  result.lags = await page.evaluate(() => window.__lags);
  result.samplesOnPage = await page.evaluate(() => run.samples.filter(Boolean).length);
  // The graph: pixels of the temperature curve's colour in the canvas.
  result.curvePixels = await page.evaluate(() => {
    const canvas = document.getElementById("canvas");
    const data = canvas.getContext("2d").getImageData(0, 0, canvas.width, canvas.height).data;
    let count = 0;
    for (let i = 0; i < data.length; i += 4)
      if (Math.abs(data[i] - 0xd0) < 8 && Math.abs(data[i + 1] - 0x34) < 8 && Math.abs(data[i + 2] - 0x2c) < 8) ++count;
    return count;
  });
  for (let i = 0; i < Number(zoomClicks); ++i) await page.click("#zoomIn");
  // Reading a value under the pointer.
  const box = await page.locator("#canvas").boundingBox();
  await page.mouse.move(box.x + box.width * 0.7, box.y + box.height / 2);
  result.readout = await page.textContent("#readout");
  await page.screenshot({ path: join(outDir, "page.png") });

  const [download] = await Promise.all([page.waitForEvent("download"), page.click("#csv")]);
  await download.saveAs(join(outDir, "run.csv"));
  result.csvName = download.suggestedFilename();
} catch (error) {
  result.error = String(error);
} finally {
  await browser.close();
}
writeFileSync(join(outDir, "result.json"), JSON.stringify(result));
console.log(JSON.stringify(result));
