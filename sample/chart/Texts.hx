import ChartStyle.FontSpec;
import flash.text.TextField;
import flash.text.TextFieldAutoSize;
import flash.text.TextFormat;

/** Text fields in the style's fonts, and numbers in the style's format. **/
class Texts {
	public static function make(text:String, font:FontSpec, ?color:Int):TextField {
		var field = new TextField();
		field.selectable = false;
		field.autoSize = TextFieldAutoSize.LEFT;
		field.defaultTextFormat = new TextFormat(font.name, font.size, color == null ? font.color : color, (font.style & 1) != 0,
			(font.style & 2) != 0, (font.style & 4) != 0);
		field.text = text;
		return field;
	}

	/**
		The number written like the format's sample number "1,000.00": the
		character after the 1 (if any) groups thousands, the character before
		the trailing zeros (if any) separates the decimals.
	**/
	public static function number(value:Float, format:String):String {
		var grouped = ~/^1([^0-9]?)000([^0-9])(0+)$/;
		var whole = ~/^1([^0-9]?)000$/;
		var f = StringTools.trim(format);
		var group = ",", point = ".", decimals = 2;
		if (grouped.match(f)) {
			group = grouped.matched(1);
			point = grouped.matched(2);
			decimals = grouped.matched(3).length;
		} else if (whole.match(f)) {
			group = whole.matched(1);
			decimals = 0;
		}
		var scale = Math.pow(10, decimals);
		var scaled = Math.fround(Math.abs(value) * scale);
		var intPart = Math.ffloor(scaled / scale);
		var digits = Std.string(intPart);
		var out = "";
		while (digits.length > 3) {
			out = group + digits.substr(digits.length - 3) + out;
			digits = digits.substr(0, digits.length - 3);
		}
		out = digits + out;
		if (decimals > 0)
			out += point + StringTools.lpad(Std.string(Std.int(scaled - intPart * scale)), "0", decimals);
		return (value < 0 && scaled > 0 ? "-" : "") + out;
	}
}
