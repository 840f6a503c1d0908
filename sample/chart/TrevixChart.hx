import flash.Lib;
import flash.display.Sprite;
import flash.events.Event;
import flash.events.IOErrorEvent;
import flash.events.SecurityErrorEvent;
import flash.net.URLLoader;
import flash.net.URLRequest;

/**
	The Trevix sample chart. Reads its style from `style.txt` and its data
	from the file named by the `datafile` variable, both beside the movie,
	and draws the chart. With the `pick` variable 1, a click on the chart
	reports the style keys of what was clicked (see Picking).
**/
class TrevixChart {
	static inline var AnimationMs = 600;

	static function main() {
		var root = Lib.current;
		// Haxe's start-up pins the stage to the top left; let the player centre it.
		root.stage.align = cast "";
		var dataFile:String = Reflect.field(root.loaderInfo.parameters, "datafile");
		if (Reflect.field(root.loaderInfo.parameters, "pick") == "1")
			Picking.listen(root);
		var texts = new Map<String, String>();
		var pending = 2;
		function loaded(name:String, text:String) {
			texts.set(name, text);
			if (--pending == 0)
				draw(root, texts.get("style"), texts.get("data"));
		}
		load("style.txt", text -> loaded("style", text));
		load(dataFile, text -> loaded("data", text));
	}

	/** The file's text, or null when it cannot be read. **/
	static function load(file:String, done:String->Void) {
		if (file == null || StringTools.trim(file) == "") {
			done(null);
			return;
		}
		var loader = new URLLoader();
		loader.addEventListener(Event.COMPLETE, _ -> done(loader.data));
		loader.addEventListener(IOErrorEvent.IO_ERROR, _ -> done(null));
		loader.addEventListener(SecurityErrorEvent.SECURITY_ERROR, _ -> done(null));
		try {
			loader.load(new URLRequest(StringTools.trim(file)));
		} catch (e:Dynamic) {
			done(null);
		}
	}

	static function draw(root:Sprite, styleText:String, dataText:String) {
		var style = new ChartStyle(new StyleValues(styleText));
		var painter = new ChartPainter(root, style, new ChartData(dataText), root.loaderInfo.width, root.loaderInfo.height);
		painter.drawFrame();
		if (style.animation == 0) {
			painter.drawSeries(1);
			return;
		}
		var start = Lib.getTimer();
		function frame(_) {
			var t = Math.min(1, (Lib.getTimer() - start) / AnimationMs);
			painter.drawSeries(1 - Math.pow(1 - t, 3));
			if (t >= 1)
				root.removeEventListener(Event.ENTER_FRAME, frame);
		}
		root.addEventListener(Event.ENTER_FRAME, frame);
		frame(null);
	}
}
