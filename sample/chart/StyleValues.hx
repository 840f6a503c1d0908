/**
	The `&name=value` lines of a style or data file. Names are matched without
	regard to letter case and the first line of a name counts; a value is
	everything after the first "=".
**/
class StyleValues {
	var values:Map<String, String> = new Map();

	public function new(text:String) {
		if (text == null)
			return;
		for (line in ~/\r\n|\r|\n/g.split(text)) {
			var eq = line.indexOf("=");
			if (eq < 1 || line.charAt(0) != "&")
				continue;
			var name = line.substring(1, eq).toLowerCase();
			if (!values.exists(name))
				values.set(name, line.substring(eq + 1));
		}
	}

	/** The value as written, or def when the line is missing or blank. **/
	public function text(name:String, def:String):String {
		var v = values.get(name.toLowerCase());
		return v == null || StringTools.trim(v) == "" ? def : v;
	}

	/** A choice from a list: its text up to a " - " explanation, trimmed, lower case. **/
	public function choice(name:String, def:String):String {
		var v = StringTools.trim(text(name, def));
		var dash = v.indexOf(" - ");
		return (dash >= 0 ? StringTools.trim(v.substring(0, dash)) : v).toLowerCase();
	}

	public function number(name:String):Null<Float> {
		var v = StringTools.trim(text(name, ""));
		if (!~/^[-+]?([0-9]+\.?[0-9]*|\.[0-9]+)$/.match(v))
			return null;
		return Std.parseFloat(v);
	}

	public function int(name:String, def:Int, min:Int, max:Int):Int {
		var n = number(name);
		if (n == null)
			return def;
		// Clamped before rounding: Math.round of a number beyond an Int's range wraps around.
		return n < min ? min : (n > max ? max : Math.round(n));
	}

	/** "0xRRGGBB", "#RRGGBB" or a decimal number. **/
	public function color(name:String, def:Int):Int {
		var v = StringTools.trim(text(name, ""));
		var hex = ~/^(0x|#)([0-9a-f]{1,6})$/i;
		if (hex.match(v))
			return Std.parseInt("0x" + hex.matched(2));
		var n = number(name);
		return n == null ? def : Std.int(n) & 0xFFFFFF;
	}

	/** A list of comma-separated items, each trimmed. **/
	public function list(name:String):Array<String> {
		var v = text(name, "");
		return v == "" ? [] : [for (item in v.split(",")) StringTools.trim(item)];
	}
}
